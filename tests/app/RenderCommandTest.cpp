// marn render as a user runs it: usage errors, an area the viewer would refuse,
// a picture whose grid, numbers and snapshot are written to files, and voids.

#include "core/SharedState.h"
#include "core/TileLocation.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <cmath>
#include <cstdint>

namespace marn {
namespace {

struct RenderRun {
    int status = -1;
    QString errors;
};

RenderRun RunRender(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(MARN_TOOL), QStringList{"render"} + args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardError())};
}

class RenderCommandUsage : public ::testing::TestWithParam<const char*> {};

TEST_P(RenderCommandUsage, RefusesWithStatusTwo)
{
    const RenderRun run = RunRender(QString::fromUtf8(GetParam()).split(' ', Qt::SkipEmptyParts));
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.errors.contains("usage: marn render")) << run.errors.toStdString();
}

INSTANTIATE_TEST_SUITE_P(BadArguments, RenderCommandUsage,
    ::testing::Values("", "--screen 800x600 --center 1,2 --length 50",
        "--data-drive d --screen 80x60 --center 1,2 --length 50",
        "--data-drive d --screen 800x600 --center 91,2 --length 50",
        "--data-drive d --screen 800x600 --center 1,2 --length 19",
        "--data-drive d --screen 800x600 --center 1,2 --length 50 --out a.jpg",
        "--data-drive d --screen 800x600 --center 1,2 --length 50 extra",
        "--data-drive d --screen 800x600 --center 1,2 --length 50 --relief=yes"));

TEST(RenderCommand, AnAreaWithoutDataPrintsTheViewersMessageAndFails)
{
    test::TempDir dir;
    const RenderRun run = RunRender({"--data-drive", QString::fromStdString(dir.path()), "--screen", "640x480",
        "--center=-33.5,-70.75", "--length", "50", "--out", QString::fromStdString(dir.path() + "/a.png")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains("All heights are missing.\nPicture is not necessary.")) << run.errors.toStdString();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.path() + "/a.png")));
}

TEST(RenderCommand, WritesTheSnapshotTheGridAndThePicturesNumbers)
{
    test::TempDir dir;
    test::WriteFlatTile(dir.path(), 47, 7, 100);
    test::WriteFlatTile(dir.path(), 47, 8, 1500);
    const QString root = QString::fromStdString(dir.path());
    const RenderRun run = RunRender({"--data-drive", root, "--screen", "640x480", "--center", "47.5,8", "--length",
        "50", "--out", root + "/p.png", "--grid", root + "/g.bin", "--info", root + "/i.json"});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();

    QFile infoFile(root + "/i.json");
    ASSERT_TRUE(infoFile.open(QIODevice::ReadOnly));
    const QJsonObject info = QJsonDocument::fromJson(infoFile.readAll()).object();
    EXPECT_EQ(info["MinText"].toString(), "Minimum height = 100 m");
    EXPECT_EQ(info["MaxText"].toString(), "Maximum height = 1500 m");
    EXPECT_EQ(info["ClassLimit"].toArray().size(), 9);
    EXPECT_EQ(info["Legend"].toArray().first().toString(), "Less than 0");
    EXPECT_EQ(info["Legend"].toArray().size(), 12);
    EXPECT_FALSE(info["Labels"].toObject()["LabNS"].toArray().isEmpty());
    EXPECT_FLOAT_EQ(static_cast<float>(info["PicLeft"].toDouble()), 0.001F * 640 + 50 + 17);

    const int cols = static_cast<int>(std::floor(info["PicCols"].toDouble()));
    const int rows = static_cast<int>(std::floor(info["PicRows"].toDouble()));
    QFile gridFile(root + "/g.bin");
    ASSERT_TRUE(gridFile.open(QIODevice::ReadOnly));
    const QByteArray grid = gridFile.readAll();
    ASSERT_EQ(grid.size(), cols * rows * 2);
    const auto at = [&grid, cols](int i, int j) {
        const auto offset = 2 * ((j - 1) * cols + (i - 1));
        const auto low = static_cast<std::uint8_t>(grid[offset]);
        const auto high = static_cast<std::uint8_t>(grid[offset + 1]);
        return static_cast<std::int16_t>(low | (high << 8));
    };
    EXPECT_EQ(at(1, 1), 100);
    EXPECT_EQ(at(cols, rows), 1500);

    const QImage snapshot(root + "/p.png");
    EXPECT_EQ(snapshot.width(), 640);
    EXPECT_GT(snapshot.height(), 400);
}

// A tile at 700 m with three void nodes: drawn with exit status 0, NoData and
// grey at exactly the points the voids leave without a height, 700 elsewhere.
TEST(RenderCommand, VoidsAreGreyAtTheirPointsAndLeaveTheOtherHeights)
{
    test::TempDir dir;
    const std::string tile = test::WriteFlatTile(dir.path(), 47, 7, 700);
    for (const int node : {40, 41, 60})
        test::SetNodeHeight(tile, TileKind::Kind3, LocateTile(47.5, 7.5).blockNo, node, 50, NoData);
    const QString root = QString::fromStdString(dir.path());
    const RenderRun run = RunRender({"--data-drive", root, "--screen", "640x480", "--center", "47.5,7.5", "--length",
        "20", "--out", root + "/p.png", "--grid", root + "/g.bin", "--info", root + "/i.json"});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();

    QFile info(root + "/i.json");
    QFile grid(root + "/g.bin");
    ASSERT_TRUE(info.open(QIODevice::ReadOnly) && grid.open(QIODevice::ReadOnly));
    const QJsonObject numbers = QJsonDocument::fromJson(info.readAll()).object();
    const int cols = static_cast<int>(std::floor(numbers["PicCols"].toDouble()));
    const QByteArray bytes = grid.readAll();
    const QImage picture(root + "/p.png");
    QPoint origin; // just inside the frame's top left corner: the first black run wider than the area
    for (int y = 0, run = 0; y < picture.height() && origin.isNull(); ++y, run = 0)
        for (int x = 0; x < picture.width() && origin.isNull(); ++x)
            if ((run = picture.pixel(x, y) == qRgb(0, 0, 0) ? run + 1 : 0) > cols)
                origin = QPoint(x - run + 2, y + 1);
    int voids = 0;
    int wrong = 0;
    for (int k = 0; k < bytes.size() / 2; ++k) {
        const auto height = static_cast<std::int16_t>(
            static_cast<std::uint8_t>(bytes[2 * k]) | (static_cast<std::uint8_t>(bytes[2 * k + 1]) << 8));
        const bool grey = picture.pixel(origin.x() + k % cols, origin.y() + k / cols) == qRgb(184, 184, 184);
        voids += height == NoData ? 1 : 0;
        wrong += (height == NoData) != grey || (height != NoData && height != 700) ? 1 : 0;
    }
    EXPECT_GT(voids, 0);
    EXPECT_EQ(wrong, 0);
}

} // namespace
} // namespace marn
