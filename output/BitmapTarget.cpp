#include "output/BitmapTarget.h"

namespace marn {

namespace {

const QString LineBreak = QStringLiteral("\r\n");

} // namespace

QString BitmapTargetPath(const QString& pictureDir, const QString& name)
{
    return pictureDir + "\\" + name + ".bmp";
}

QString OverwriteQuestion(const QString& path)
{
    return path + " already exists." + LineBreak + "Overwrite existing file?";
}

QString SavedMessage(const QString& name, const QString& pictureDir)
{
    return name + ".bmp is saved to " + pictureDir;
}

QString SaveErrorMessage(const QString& path, const QString& reason, bool oldFileKept)
{
    QString message = "Error saving " + path + LineBreak + "Reason: " + reason;
    if (oldFileKept)
        message += LineBreak + "The existing file is unchanged.";
    return message;
}

} // namespace marn
