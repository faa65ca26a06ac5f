// marn render --geotiff as a GIS uses it: warped by gdalwarp onto a plain
// latitude/longitude grid, the file must give the heights that marn height
// gives at the same places and cover the picture's corners.

#include "core/SharedState.h"
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
    const QByteArray errors = process.readAllStandardError();
    EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        << program.toStdString() << ' ' << args.join(' ').toStdString() << ": " << errors.toStdString();
    return process.readAllStandardOutput();
}

QJsonObject GdalInfo(const QString& file)
{
    return QJsonDocument::fromJson(RunTool(QStringLiteral(GDALINFO), {"-json", file})).object();
}

// Hills about 11 km apart north-south and 10 km east-west, at most 0.2 m per
// metre steep: nearby grid points differ in height, yet a point half a grid
// step (4 m) from its grid point differs by well under 2 m.
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
    RunTool(QStringLiteral(MARN_TOOL),
        {"render", "--data-drive", root, "--screen", "4096x2160", "--center", "47.5,8.5", "--length", "20",
            "--geotiff", root + "/h.tif", "--geotiff-rgb", root + "/c.tif", "--info", root + "/i.json"});
    QFile infoFile(root + "/i.json");
    ASSERT_TRUE(infoFile.open(QIODevice::ReadOnly));
    const QJsonObject info = QJsonDocument::fromJson(infoFile.readAll()).object();
    const int cols = info["GridCols"].toInt();
    const int rows = info["GridRows"].toInt();
    EXPECT_EQ(cols, static_cast<int>(std::floor(info["PicCols"].toDouble())));
    EXPECT_EQ(info["NoData"].toInt(), -9999);

    const QJsonObject source = GdalInfo(root + "/h.tif");
    EXPECT_EQ(source["size"].toArray(), (QJsonArray{cols, rows}));
    const QJsonObject band = source["bands"].toArray()[0].toObject();
    EXPECT_EQ(band["type"].toString(), "Int16");
    EXPECT_EQ(band["noDataValue"].toDouble(), -9999);
    const QJsonObject colours = GdalInfo(root + "/c.tif");
    EXPECT_EQ(colours["size"].toArray(), (QJsonArray{cols, rows}));
    EXPECT_EQ(colours["bands"].toArray().size(), 3);
    EXPECT_EQ(colours["gcps"], source["gcps"]);

    // One pixel of the picture in degrees.
    const double latStep = (info["LatN"].toDouble() - info["LatS"].toDouble()) / info["PicRows"].toDouble();
    const double lonStep = info["KmPerPixel"].toDouble() / (111.2 * std::cos(47.5 * std::numbers::pi / 180));
    // Warped as a GIS places it by default (about one pixel of the file per
    // pixel), and onto a grid four times as fine for the heights.
    RunTool(QStringLiteral(GDALWARP), {"-q", "-r", "near", "-t_srs", "EPSG:4326", root + "/h.tif", root + "/placed.tif"});
    RunTool(QStringLiteral(GDALWARP), {"-q", "-r", "near", "-t_srs", "EPSG:4326", "-tr",
                                         QString::number(lonStep / 4, 'g', 12), QString::number(latStep / 4, 'g', 12),
                                         root + "/h.tif", root + "/w.tif"});
    const QJsonObject placed = GdalInfo(root + "/placed.tif");
    const QJsonArray placedTransform = placed["geoTransform"].toArray();
    const double pixel = placedTransform[1].toDouble();
    const double west = placedTransform[0].toDouble();
    const double north = placedTransform[3].toDouble();
    const double east = west + pixel * placed["size"].toArray()[0].toDouble();
    const double south = north - pixel * placed["size"].toArray()[1].toDouble();

    // The outline of the grid: the corners LatNW .. LonSE of the area, with the
    // design's offsets of the outer grid points (column 1 lies one step east of
    // the western corners, the last column frac(PicCols) steps west of the
    // eastern ones, row 1 on LatN, the last row 1 + frac(PicRows) steps north of
    // LatS) and the half pixel that each pixel reaches beyond its grid point.
    const auto value = [&info](const char* name) { return info[name].toDouble(); };
    const double colFraction = value("PicCols") - cols;
    const double rowFraction = value("PicRows") - rows;
    const double outline[4] = {std::min(value("LonNW"), value("LonSW")) + 0.5 * lonStep,
        std::max(value("LonNE"), value("LonSE")) + (0.5 - colFraction) * lonStep, value("LatN") + 0.5 * latStep,
        std::min(value("LatSW"), value("LatSE")) + (0.5 + rowFraction) * latStep};
    EXPECT_NEAR(west, outline[0], pixel);
    EXPECT_NEAR(east, outline[1], pixel);
    EXPECT_NEAR(north, outline[2], pixel);
    EXPECT_NEAR(south, outline[3], pixel);

    // 50 random centres of warped pixels inside the picture area.
    const QJsonObject warped = GdalInfo(root + "/w.tif");
    const QJsonArray transform = warped["geoTransform"].toArray();
    const double x0 = transform[0].toDouble();
    const double dx = transform[1].toDouble();
    const double y0 = transform[3].toDouble();
    const double dy = transform[5].toDouble();
    std::mt19937 random(18);
    std::uniform_real_distribution<double> across(0.02, 0.98);
    QByteArray points;
    QStringList heightArgs{"height", "--data-drive", root};
    for (int k = 0; k < 50; ++k) {
        const double lon = x0 + dx * (std::floor((west + (east - west) * across(random) - x0) / dx) + 0.5);
        const double lat = y0 + dy * (std::floor((north + (south - north) * across(random) - y0) / dy) + 0.5);
        points += QByteArray::number(lon, 'f', 10) + ' ' + QByteArray::number(lat, 'f', 10) + '\n';
        heightArgs << QString::number(lat, 'f', 10) << QString::number(lon, 'f', 10);
    }
    const QList<QByteArray> fromGeoTiff =
        RunTool(QStringLiteral(GDALLOCATIONINFO), {"-valonly", "-geoloc", root + "/w.tif"}, points).split('\n');
    const QList<QByteArray> fromMarn = RunTool(QStringLiteral(MARN_TOOL), heightArgs).split('\n');
    ASSERT_GE(fromGeoTiff.size(), 50);
    ASSERT_GE(fromMarn.size(), 50);
    for (int k = 0; k < 50; ++k) {
        const QList<QByteArray> marn = fromMarn[k].split(' ');
        ASSERT_EQ(marn.value(1), "0") << "no height at point " << k;
        EXPECT_NEAR(fromGeoTiff[k].toDouble(), marn[0].toDouble(), 2.0) << points.split('\n')[k].toStdString();
    }
}

} // namespace
} // namespace marn
