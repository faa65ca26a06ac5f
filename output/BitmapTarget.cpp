#include "output/BitmapTarget.h"

#include "core/NativePath.h"

namespace marn {

namespace {

const QString LineBreak = QStringLiteral("\r\n");

} // namespace

QString BitmapTargetPath(const QString& pictureDir, const QString& name, const QString& ending)
{
    if (!IsNativePath(pictureDir.toStdString()))
        return pictureDir + "\\" + name + ending;
    const QString dir = ShownPictureDir(pictureDir);
    return dir + (dir.endsWith('/') ? "" : "/") + name + ending;
}

QString ShownPictureDir(const QString& pictureDir)
{
    if (!IsNativePath(pictureDir.toStdString()))
        return pictureDir;
    return QString::fromStdString(NativePath(pictureDir.toStdString(), {}));
}

QString NameWithSeparatorMessage()
{
    return QStringLiteral("A filename may not contain '/' or '\\'.");
}

QString OverwriteQuestion(const QString& path)
{
    return path + " already exists." + LineBreak + "Overwrite existing file?";
}

QString SavedMessage(const QString& name, const QString& pictureDir, const QString& ending)
{
    return name + ending + " is saved to " + ShownPictureDir(pictureDir);
}

QString SaveErrorMessage(const QString& path, const QString& reason, bool oldFileKept)
{
    QString message = "Error saving " + path + LineBreak + "Reason: " + reason;
    if (oldFileKept)
        message += LineBreak + "The existing file is unchanged.";
    return message;
}

} // namespace marn
