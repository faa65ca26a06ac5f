// marn render as a user runs it: usage errors, an area the viewer would refuse,
// and a picture whose grid, numbers and snapshot are written to files.

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

} // namespace
} // namespace marn
