// marn render --geotiff as a GIS uses it: warped by gdalwarp onto a plain
// latitude/longitude grid, the file must give the heights that marn height
// gives at the same places and cover the picture's area.

#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace marn {
namespace {

// Standard output of a program; fails the test when it does not end with 0.
QByteArray RunTool(const QString& program, const QStringList& args, const QByteArray& input = {})
{
    QProcess process;
    process.start(program, args);
    process.write(input);
    process.closeWriteChannel();
    const bool finished = process.waitForFinished(120000);
    EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        << program.toStdString() << ' ' << args.join(' ').toStdString() << ": "
        << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

QJsonObject GdalInfo(const QString& file)
{
    return QJsonDocument::fromJson(RunTool(QStringLiteral(GDALINFO), {"-json", file})).object();
}

// Hills about 11 km apart north-south and 10 km east-west, at most 0.2 m per
// metre steep: a point half a grid step (4 m) from its grid point differs in
// height by well under 2 m.
std::int16_t Hills(double lat, double lon)
{
    const double tau = 2 * std::numbers::pi;
    return static_cast<std::int16_t>(std::lround(
        900 + 180 * std::sin(tau * lat / 0.1) + 150 * std::cos(tau * lon / 0.13) + 2000 * (lat - 47.5)));
}

TEST(GeoTiff, WarpedToLatitudeAndLongitudeItGivesTheHeightsOfMarnHeightAndCoversThePicture)
{
    test::TempDir dir;
    test::WriteTile(dir.path(), 47, 8, Hills);
    const QString root = QString::fromStdString(dir.path());
    RunTool(QStringLiteral(MARN_TOOL), {"render", "--data-drive", root, "--screen", "4096x2160", "--center", "47.5,8.5",
                                           "--length", "20", "--geotiff", root + "/h.tif", "--geotiff-rgb",
                                           root + "/c.tif", "--info", root + "/i.json"});
    QFile infoFile(root + "/i.json");
    ASSERT_TRUE(infoFile.open(QIODevice::ReadOnly));
    const QJsonObject info = QJsonDocument::fromJson(infoFile.readAll()).object();
    const auto value = [&info](const char* name) { return info[name].toDouble(); };
    const int cols = info["GridCols"].toInt();
    const int rows = info["GridRows"].toInt();
    EXPECT_EQ(info["NoData"].toInt(), -9999);
    const QJsonObject source = GdalInfo(root + "/h.tif");
    EXPECT_EQ(source["size"].toArray(), (QJsonArray{cols, rows}));
    EXPECT_EQ(source["bands"][0]["type"].toString(), "Int16");
    EXPECT_EQ(source["bands"][0]["noDataValue"].toDouble(), -9999);
    const QJsonObject colours = GdalInfo(root + "/c.tif");
    EXPECT_EQ(colours["bands"].toArray().size(), 3);
    EXPECT_EQ(colours["gcps"], source["gcps"]);

    // Warped as a GIS places it by default (about a pixel for a pixel), and
    // onto a grid four times as fine as the picture's for the heights.
    const double latStep = (value("LatN") - value("LatS")) / value("PicRows");
    const double lonStep = value("KmPerPixel") / (111.2 * std::cos(47.5 * std::numbers::pi / 180));
    RunTool(QStringLiteral(GDALWARP), {"-q", "-r", "near", "-t_srs", "EPSG:4326", root + "/h.tif", root + "/p.tif"});
    RunTool(QStringLiteral(GDALWARP), {"-q", "-r", "near", "-t_srs", "EPSG:4326", "-tr", QString::number(lonStep / 4),
                                          QString::number(latStep / 4), root + "/h.tif", root + "/w.tif"});
    const QJsonObject placed = GdalInfo(root + "/p.tif");
    const double pixel = placed["geoTransform"][1].toDouble();
    const double west = placed["geoTransform"][0].toDouble();
    const double north = placed["geoTransform"][3].toDouble();
    const double east = west + pixel * placed["size"][0].toDouble();
    const double south = north - pixel * placed["size"][1].toDouble();

    // The grid's outline within a pixel: the corners LatNW .. LonSE with the
    // offsets of the outer grid points (column 1 one step east of the western
    // corners, the last column frac(PicCols) steps west of the eastern ones,
    // row 1 on LatN, the last row 1 + frac(PicRows) steps north of LatS) and the
    // half step that each pixel reaches beyond its grid point.
    EXPECT_NEAR(west, std::min(value("LonNW"), value("LonSW")) + 0.5 * lonStep, pixel);
    EXPECT_NEAR(east, std::max(value("LonNE"), value("LonSE")) + (0.5 - (value("PicCols") - cols)) * lonStep, pixel);
    EXPECT_NEAR(north, value("LatN") + 0.5 * latStep, pixel);
    EXPECT_NEAR(south, std::min(value("LatSW"), value("LatSE")) + (0.5 + value("PicRows") - rows) * latStep, pixel);

    // 50 random centres of pixels of the fine grid inside the picture area.
    const QJsonArray fine = GdalInfo(root + "/w.tif")["geoTransform"].toArray();
    const auto centre = [](double at, double origin, double size) {
        return origin + size * (std::floor((at - origin) / size) + 0.5);
    };
    std::mt19937 random(18);
    std::uniform_real_distribution<double> across(0.02, 0.98);
    QByteArray points;
    QStringList heightArgs{"height", "--data-drive", root};
    for (int k = 0; k < 50; ++k) {
        const double lon = centre(west + (east - west) * across(random), fine[0].toDouble(), fine[1].toDouble());
        const double lat = centre(north + (south - north) * across(random), fine[3].toDouble(), fine[5].toDouble());
        points += QByteArray::number(lon, 'f', 10) + ' ' + QByteArray::number(lat, 'f', 10) + '\n';
        heightArgs << QString::number(lat, 'f', 10) << QString::number(lon, 'f', 10);
    }
    const QList<QByteArray> warped =
        RunTool(QStringLiteral(GDALLOCATIONINFO), {"-valonly", "-geoloc", root + "/w.tif"}, points).split('\n');
    const QList<QByteArray> heights = RunTool(QStringLiteral(MARN_TOOL), heightArgs).split('\n');
    ASSERT_GE(std::min(warped.size(), heights.size()), 50);
    for (int k = 0; k < 50; ++k) {
        ASSERT_TRUE(heights[k].endsWith(" 0")) << "no height at " << points.split('\n')[k].toStdString();
        EXPECT_NEAR(warped[k].toDouble(), heights[k].split(' ')[0].toDouble(), 2.0) << points.split('\n')[k].toStdString();
    }
}

} // namespace
} // namespace marn
