#pragma once
// Writing a file so that an old file of the same name survives any failure.

#include <QByteArray>
#include <QString>

#include <optional>

namespace marn {

// Writes the bytes as the file at the native path. They go into a temporary
// file in the same directory first, which takes the old file's place in one
// rename once it is complete. Returns the reason when anything fails; the old
// file, if there is one, is then exactly as it was and no temporary file stays.
std::optional<QString> WriteFileReplacing(const QString& nativePath, const QByteArray& bytes);

} // namespace marn
