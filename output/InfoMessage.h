#pragma once
// The text of "Info": the version and the maker's contact details.

#include <QString>

namespace marn {

QString InfoMessage();

} // namespace marn
