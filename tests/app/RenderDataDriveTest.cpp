// marn render with a relative --data-drive: it lies below the directory the
// tool is run from, as for marn height.

#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace marn {
namespace {

struct ToolRun {
    int status = -1;
    QString errors;
};

ToolRun RenderFrom(const QString& workingDir, const QStringList& args)
{
    QProcess process;
    process.setWorkingDirectory(workingDir);
    process.start(QStringLiteral(MARN_TOOL), QStringList{"render"} + args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardError())};
}

TEST(RenderDataDrive, RelativeDataDriveIsTakenFromTheCurrentDirectory)
{
    test::TempDir dir;
    test::WriteFlatTile(dir.path(), 47, 7, 100);
    test::WriteFlatTile(dir.path(), 47, 8, 1500);
    const QFileInfo data(QString::fromStdString(dir.path()));
    struct Case {
        QString workingDir;
        int status;
        QString message;
    };
    const Case cases[] = {
        {data.absolutePath(), 0, QString()},
        {data.absoluteFilePath(), 1, QStringLiteral("All heights are missing.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.workingDir.toStdString());
        const ToolRun run = RenderFrom(c.workingDir,
            {"--data-drive", data.fileName(), "--screen", "640x480", "--center", "47.5,8", "--length", "50"});
        EXPECT_EQ(run.status, c.status) << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains(c.message)) << run.errors.toStdString();
    }
}

} // namespace
} // namespace marn
