#include "output/FileReplacement.h"

#include <QSaveFile>

namespace marn {

std::optional<QString> WriteFileReplacing(const QString& nativePath, const QByteArray& bytes)
{
    QSaveFile file(nativePath);
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a failing write is seen here and not lost in the
    // flush that commit() does.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace marn
