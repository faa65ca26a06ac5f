// marn render as a user runs it, as a separate process.

#include "core/SharedState.h"
#include "core/TileLocation.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <cmath>
#include <cstdint>

namespace marn {
namespace {

// Exit status and standard error of "marn render" run from workingDir.
std::pair<int, QString> RunRender(const QString& args, const QString& workingDir = ".")
{
    QProcess process;
    process.setWorkingDirectory(workingDir);
    process.start(QStringLiteral(MARN_TOOL), QStringList{"render"} + args.split(' ', Qt::SkipEmptyParts));
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardError())};
}

TEST(RenderCommand, EndsWithTheStatusAndMessageOfEachRefusal)
{
    test::TempDir dir;
    test::WriteFlatTile(dir.path(), 47, 8, 100);
    const QFileInfo data(QString::fromStdString(dir.path()));
    const QString area = " --screen 640x480 --center 47.5,8 --length 50";
    const QString usage = "\nTry 'marn render --help' for more information.\n";
    test::TempDir damaged;
    test::WriteFlatTile(damaged.path(), 47, 8, 100);
    test::WriteFileOfLength(test::TilePath(damaged.path(), 47, 7), 1000);
    const struct {
        QString args, workingDir;
        int status;
        QString message;
    } cases[] = {
        {"", ".", 2, usage},
        {"--data-drive d --screen 80x60 --center 1,2 --length 50", ".", 2, usage},
        {"--data-drive d --screen 800x600 --center 91,2 --length 50", ".", 2, usage},
        {"--data-drive d --screen 800x600 --center 1,2x --length 50", ".", 2, usage},
        {"--data-drive d --screen 800x600 --center 1,2 --length 19", ".", 2, usage},
        {"--data-drive d --screen 800x600 --center 1,2 --length 50 extra", ".", 2, usage},
        {"--data-drive " + data.filePath() + " --screen 640x480 --center=-33.5,-70.75 --length 50 --out "
                + data.filePath() + "/a.png",
            ".", 1, "All heights are missing.\nPicture is not necessary."},
        {"--data-drive " + data.filePath() + " --screen 640x480 --center 48.5,-123.5 --length 50", ".", 1,
            "All heights are missing."},
        {"--data-drive " + data.fileName() + area, data.absolutePath(), 0, ""},
        {"--data-drive " + data.fileName() + area, data.absoluteFilePath(), 1, "All heights are missing."},
        {"--data-drive " + QString::fromStdString(damaged.path()) + area, ".", 1,
            "Error reading heigt data, Error value = 700\n"
                + QString::fromStdString(test::TilePath(damaged.path(), 47, 7)) + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.toStdString() + " in " + c.workingDir.toStdString());
        const auto [status, errors] = RunRender(c.args, c.workingDir);
        EXPECT_EQ(status, c.status) << errors.toStdString();
        EXPECT_TRUE(errors.contains(c.message)) << errors.toStdString();
    }
    EXPECT_FALSE(QFile::exists(data.filePath() + "/a.png"));
}

// Tiles at 700 m, with three void nodes, and 1500 m: the numbers of the picture,
// the grid from column and row 1 (NoData at exactly the points the voids leave
// without a height), and a snapshot grey at exactly those points.
TEST(RenderCommand, WritesTheSnapshotTheGridAndThePicturesNumbers)
{
    test::TempDir dir;
    const std::string tile = test::WriteFlatTile(dir.path(), 47, 7, 700);
    test::WriteFlatTile(dir.path(), 47, 8, 1500);
    for (const int node : {40, 41, 60})
        test::SetNodeHeight(tile, TileKind::Kind3, LocateTile(47.5, 7.8).blockNo, node, 50, NoData);
    const QString root = QString::fromStdString(dir.path());
    const auto [status, errors] =
        RunRender("--data-drive " + root + " --screen 640x480 --center 47.5,8 --length 50 --out " + root
                  + "/p.png --grid " + root + "/g.bin --info " + root + "/i.json");
    ASSERT_EQ(status, 0) << errors.toStdString();

    QFile infoFile(root + "/i.json");
    QFile gridFile(root + "/g.bin");
    ASSERT_TRUE(infoFile.open(QIODevice::ReadOnly) && gridFile.open(QIODevice::ReadOnly));
    const QJsonObject info = QJsonDocument::fromJson(infoFile.readAll()).object();
    EXPECT_EQ(info["MaxText"].toString().toStdString(), "Maximum height = 1500 m");
    EXPECT_EQ(info["MinText"].toString().toStdString(), "Minimum height = -9999 m");
    EXPECT_EQ(info["ClassLimit"].toArray().size(), 9);
    EXPECT_FLOAT_EQ(static_cast<float>(info["PicLeft"].toDouble()), 0.001F * 640 + 50 + 17);

    const int cols = static_cast<int>(std::floor(info["PicCols"].toDouble()));
    const int rows = static_cast<int>(std::floor(info["PicRows"].toDouble()));
    const QByteArray grid = gridFile.readAll();
    ASSERT_EQ(grid.size(), cols * rows * 2);
    const auto at = [&grid](int k) {
        return static_cast<std::int16_t>(
            static_cast<std::uint8_t>(grid[2 * k]) | (static_cast<std::uint8_t>(grid[2 * k + 1]) << 8));
    };
    const QImage picture(root + "/p.png");
    EXPECT_EQ(picture.width(), 640);
    QPoint origin; // just inside the frame's top left corner: the first black run wider than the area
    for (int y = 0, run = 0; y < picture.height() && origin.isNull(); ++y, run = 0)
        for (int x = 0; x < picture.width() && origin.isNull(); ++x)
            if ((run = picture.pixel(x, y) == qRgb(0, 0, 0) ? run + 1 : 0) > cols)
                origin = QPoint(x - run + 2, y + 1);
    int voids = 0;
    int wrong = 0;
    for (int k = 0; k < cols * rows; ++k) {
        const std::int16_t height = at(k);
        const bool grey = picture.pixel(origin.x() + k % cols, origin.y() + k / cols) == qRgb(184, 184, 184);
        const bool west = k % cols < cols / 2 - 2;
        voids += height == NoData ? 1 : 0;
        wrong += (height == NoData) != grey || (height != NoData && west && height != 700) ? 1 : 0;
    }
    EXPECT_GT(voids, 0);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(at(0), 700);
    EXPECT_EQ(at(cols * rows - 1), 1500);

    // the classes from the heights there: 700..1500 with 50, 100, 250 fixed
    // and floor(700 * (1500 / 700)^(k / 5.99)) worked by hand, then 2000
    ASSERT_EQ(RunRender("--data-drive " + root + " --screen 640x480 --center 47.5,8 --length 50 "
                        "--classes-without-missing --info "
                        + root + "/c.json")
                  .first,
        0);
    QFile classesFile(root + "/c.json");
    ASSERT_TRUE(classesFile.open(QIODevice::ReadOnly));
    const QJsonObject classes = QJsonDocument::fromJson(classesFile.readAll()).object();
    EXPECT_EQ(classes["MinText"].toString().toStdString(), "Minimum height = 700 m");
    EXPECT_EQ(classes["ClassLimit"].toArray(), (QJsonArray{50, 100, 250, 794, 902, 1025, 1164, 1322, 2000}));
}

} // namespace
} // namespace marn
