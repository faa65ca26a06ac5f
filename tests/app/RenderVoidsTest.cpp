// marn render over a tile with a few NoData nodes: the picture is drawn (exit
// status 0), grey at exactly the points the voids leave without a height, with
// the same heights as without the voids everywhere else.

#include "core/SharedState.h"
#include "core/TileLocation.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <cmath>

namespace marn {
namespace {

struct Rendered {
    int status = -1;
    int cols = 0;
    int rows = 0;
    QByteArray grid;
    QImage picture;

    std::int16_t height(int i, int j) const
    {
        const auto offset = 2 * ((j - 1) * cols + (i - 1));
        return static_cast<std::int16_t>(
            static_cast<std::uint8_t>(grid[offset]) | (static_cast<std::uint8_t>(grid[offset + 1]) << 8));
    }

    // The picture area's first pixel: just inside the top left corner of the
    // black frame, the first row from the top with a black run as wide as the area.
    QPoint origin() const
    {
        for (int y = 0; y < picture.height(); ++y) {
            int run = 0;
            for (int x = 0; x < picture.width(); ++x) {
                run = picture.pixel(x, y) == qRgb(0, 0, 0) ? run + 1 : 0;
                if (run > cols)
                    return {x - run + 2, y + 1};
            }
        }
        return {-1, -1};
    }
};

Rendered Render(const QString& root, const QString& name)
{
    QProcess process;
    process.start(QStringLiteral(MARN_TOOL),
        {"render", "--data-drive", root, "--screen", "640x480", "--center", "47.5,7.5", "--length", "20", "--out",
            root + "/" + name + ".png", "--grid", root + "/" + name + ".bin", "--info", root + "/info.json"});
    process.waitForFinished(60000);
    Rendered r;
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    QFile info(root + "/info.json");
    QFile grid(root + "/" + name + ".bin");
    if (r.status != 0 || !info.open(QIODevice::ReadOnly) || !grid.open(QIODevice::ReadOnly))
        return r;
    const QJsonObject numbers = QJsonDocument::fromJson(info.readAll()).object();
    r.cols = static_cast<int>(std::floor(numbers["PicCols"].toDouble()));
    r.rows = static_cast<int>(std::floor(numbers["PicRows"].toDouble()));
    r.grid = grid.readAll();
    r.picture = QImage(root + "/" + name + ".png");
    return r;
}

TEST(RenderVoids, AreGreyAtTheirPointsAndLeaveTheOtherHeightsAlone)
{
    test::TempDir dir;
    const QString root = QString::fromStdString(dir.path());
    const std::string tile = test::WriteTile(dir.path(), 47, 7, [](double lat, double lon) {
        return static_cast<std::int16_t>(std::lround(100 + 800 * (lat - 47) + 300 * (lon - 7)));
    });
    const Rendered whole = Render(root, "whole");
    const TileLocation centre = LocateTile(47.5, 7.5);
    for (const int node : {40, 41, 60})
        test::SetNodeHeight(tile, TileKind::Kind3, centre.blockNo, node, 50, NoData);
    const Rendered voids = Render(root, "voids");
    ASSERT_EQ(whole.status, 0);
    ASSERT_EQ(voids.status, 0);
    ASSERT_EQ(voids.grid.size(), whole.grid.size());
    ASSERT_EQ(voids.grid.size(), 2 * voids.cols * voids.rows);

    const QPoint origin = voids.origin();
    int grey = 0;
    for (int j = 1; j <= voids.rows; ++j) {
        for (int i = 1; i <= voids.cols; ++i) {
            const bool missing = voids.height(i, j) == NoData;
            grey += missing ? 1 : 0;
            if (!missing) {
                ASSERT_EQ(voids.height(i, j), whole.height(i, j)) << i << ", " << j;
            }
            const QRgb pixel = voids.picture.pixel(origin.x() + i - 1, origin.y() + j - 1);
            ASSERT_EQ(pixel == qRgb(184, 184, 184), missing) << i << ", " << j;
        }
    }
    EXPECT_GT(grey, 0);
    EXPECT_LT(grey, voids.cols * voids.rows / 100);
}

} // namespace
} // namespace marn
