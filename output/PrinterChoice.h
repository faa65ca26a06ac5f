#pragma once
// Finding the printer the user picked by its name.

#include <QString>
#include <QStringList>

#include <optional>

namespace marn {

// Position of the first printer whose name equals `name` exactly (character by
// character, case-sensitive), in enumeration order; nothing when none does.
std::optional<int> FirstPrinterNamed(const QStringList& printerNames, const QString& name);

} // namespace marn
