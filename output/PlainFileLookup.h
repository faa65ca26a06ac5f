#pragma once
// Looking a path up before a file is written there.

#include <QString>

namespace marn {

struct PlainFileLookup {
    bool exists = false; // a plain file (or a link to one) is at the path
    QString error;       // why the path could not be looked up; empty when it could
};

// Whether a plain file is at the native path. A missing path (or a missing
// directory on the way) is no error; a name the file system refuses is.
PlainFileLookup LookUpPlainFile(const QString& nativePath);

} // namespace marn
