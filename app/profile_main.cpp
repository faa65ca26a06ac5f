// marn-profile: marn profile with a plot ("marn profile --png" runs it).

#include "app/ProfileCommand.h"

#include "picture/ProfilePlot.h"

#include <QGuiApplication>

#include <string>
#include <vector>

namespace {

bool WritePng(const std::string& path, const marn::ProfileLine& line, const std::vector<marn::ProfileSample>& samples,
    std::string& error)
{
    const QImage image = marn::ProfileImage(marn::ProfilePageSize, line, samples);
    if (image.save(QString::fromStdString(path), "PNG"))
        return true;
    error = "the picture could not be saved";
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return marn::cli::RunProfile(std::vector<std::string>(argv + 1, argv + argc), &WritePng);
}
