#pragma once
// The file a saved picture goes to and the texts the user sees about it. Paths
// here are the viewer's logical paths (backslash separators) for a Windows-style
// picture directory, and native paths ('/' only) for a native one; NativePath
// maps either to the file system.

#include <QString>

namespace marn {

// pictureDir + "\" + name + ".bmp"; the name is used exactly as typed. A
// native directory is joined with "/" instead ("/srv/pictures/Europe.bmp").
// Other files of a picture take their own `ending` in place of ".bmp".
QString BitmapTargetPath(const QString& pictureDir, const QString& name, const QString& ending = QStringLiteral(".bmp"));

// The picture directory as the messages show it: a native one with '/' only.
QString ShownPictureDir(const QString& pictureDir);

// The message for a name that holds a separator; such a name is refused.
QString NameWithSeparatorMessage();

// The question asked before an existing file is replaced.
QString OverwriteQuestion(const QString& path);

// The message after a successful save.
QString SavedMessage(
    const QString& name, const QString& pictureDir, const QString& ending = QStringLiteral(".bmp"));

// The message when saving failed; `oldFileKept` adds that an existing file at
// the path is unchanged.
QString SaveErrorMessage(const QString& path, const QString& reason, bool oldFileKept = false);

} // namespace marn
