// marn render: runs the picture window's whole load without a screen for a
// given screen size, centre point and area length, and writes the snapshot of
// the window's client area, the height grid and the picture's numbers.

#include "app/CommandLine.h"
#include "app/Commands.h"

#include "core/AreaLength.h"
#include "core/CenterLimits.h"
#include "core/GridBounds.h"
#include "core/SharedState.h"
#include "output/GeoTiff.h"
#include "picture/Fortschritt.h"
#include "picture/HeightPixels.h"
#include "picture/frmPicture.h"
#include "picture/frmWait.h"
#include "ui/HeadlessPlatform.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <unistd.h>

namespace marn::cli {
namespace {

constexpr int MinScreenPx = 320;
constexpr int MaxScreenPx = 4096;

struct RenderRequest {
    std::string dataDrive;
    int screenWidth = 0;
    int screenHeight = 0;
    double centerLat = 0.0;
    double centerLon = 0.0;
    std::int16_t lengthKm = 0;
    bool relief = false;
    bool classesWithoutMissing = false;
    std::optional<std::string> out;
    std::optional<std::string> grid;
    std::optional<std::string> info;
    std::optional<std::string> geotiff;
    std::optional<std::string> geotiffRgb;
};

const char* const UsageText =
    "usage: marn render --data-drive D --screen WxH --center LAT,LON --length KM [--relief]\n"
    "                   [--classes-without-missing]\n"
    "                   [--out FILE.png|FILE.bmp] [--grid FILE.bin] [--info FILE.json]\n"
    "                   [--geotiff FILE.tif] [--geotiff-rgb FILE.tif]\n"
    "Draws the height picture of an area as the viewer would on a W x H screen.\n"
    "  --data-drive D   the directory that holds the data directory MARN (relative to the\n"
    "                   current directory), or a drive letter as in Drive.dat (D -> /mnt/d)\n"
    "  --screen WxH     screen size in pixels, 320..4096 each, e.g. 1280x1024\n"
    "  --center LAT,LON centre point in signed degrees, e.g. --center=-33.5,-70.75\n"
    "  --length KM      west-east length of the area, 20..3000 km\n"
    "  --relief         relief shading, as the viewer's View menu switches it on\n"
    "  --classes-without-missing\n"
    "                   height range, minimum and classes from the heights that are there\n"
    "                   (\"Classes from the heights shown\" in the viewer's View menu)\n"
    "  --out FILE       the picture window's client area as PNG or BMP (by extension)\n"
    "  --grid FILE      the sampled heights: int16 little-endian, north row first, west first;\n"
    "                   GridCols x GridRows values (see --info), -9999 marks a missing height\n"
    "  --info FILE      the picture's geometry, grid size, height range, legend and labels as JSON\n"
    "  --geotiff FILE   the sampled heights as GeoTIFF: Int16, nodata -9999, one pixel per grid\n"
    "                   point, placed by ground control points in EPSG:4326 (every 32nd row and\n"
    "                   column and the last ones); warp it to place it: gdalwarp FILE out.tif\n"
    "  --geotiff-rgb FILE  the coloured picture area as it is drawn, georeferenced the same way\n"
    "A picture the viewer would refuse (all heights missing or equal, a read error)\n"
    "prints the viewer's message and exits with status 1.\n";

int UsageError(const std::string& problem)
{
    return marn::cli::UsageError(std::cerr, "render", problem);
}

// Qt notes on standard error that XDG_RUNTIME_DIR is not set (and makes a
// runtime folder of its own); a command-line tool keeps that note to itself.
QtMessageHandler PassedOnMessages = nullptr;

void DropRuntimeDirectoryNote(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (PassedOnMessages != nullptr)
        PassedOnMessages(type, context, message);
    else
        std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << '\n';
}

bool EndsWith(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size())
        return false;
    return QString::fromStdString(text.substr(text.size() - suffix.size()))
               .compare(QString::fromStdString(suffix), Qt::CaseInsensitive)
           == 0;
}

std::optional<std::pair<double, double>> SplitPair(const std::string& text, char separator)
{
    const auto numbers = ParseNumbers(text, separator);
    if (!numbers || numbers->size() != 2)
        return std::nullopt;
    return std::make_pair((*numbers)[0], (*numbers)[1]);
}

bool IsWhole(double v)
{
    return std::floor(v) == v;
}

// Fills the request from the arguments; returns the problem, or "" when they are fine.
std::string ReadRequest(const ParsedArgs& parsed, RenderRequest& request)
{
    if (!parsed.error.empty())
        return parsed.error;
    if (!parsed.positional.empty())
        return "unexpected argument '" + parsed.positional.front() + "'";
    for (const char* name : {"data-drive", "screen", "center", "length"}) {
        if (!parsed.option(name))
            return std::string("missing --") + name;
    }
    request.dataDrive = *parsed.option("data-drive");
    if (request.dataDrive.empty())
        return "--data-drive is empty";

    const auto screen = SplitPair(*parsed.option("screen"), 'x');
    if (!screen || !IsWhole(screen->first) || !IsWhole(screen->second) || screen->first < MinScreenPx
        || screen->second < MinScreenPx || screen->first > MaxScreenPx || screen->second > MaxScreenPx)
        return "--screen needs WxH with whole pixel counts from 320 to 4096, e.g. 1280x1024";
    request.screenWidth = static_cast<int>(screen->first);
    request.screenHeight = static_cast<int>(screen->second);

    const auto center = SplitPair(*parsed.option("center"), ',');
    if (!center || std::abs(center->first) > MaxLatitudeDegrees || std::abs(center->second) > MaxLongitudeDegrees)
        return "--center needs LAT,LON in degrees (latitude -90..90, longitude -180..180)";
    request.centerLat = center->first;
    request.centerLon = center->second;

    const auto length = ParseNumber(*parsed.option("length"));
    if (!length || !IsWhole(*length) || !IsPermittedAreaLength(*length))
        return "--length needs a whole number of km from 20 to 3000";
    request.lengthKm = static_cast<std::int16_t>(*length);

    request.relief = parsed.hasSwitch("relief");
    if (request.relief && !parsed.switches.at("relief").empty())
        return "--relief takes no value";
    request.classesWithoutMissing = parsed.hasSwitch("classes-without-missing");
    if (request.classesWithoutMissing && !parsed.switches.at("classes-without-missing").empty())
        return "--classes-without-missing takes no value";
    request.out = parsed.option("out");
    if (request.out && !EndsWith(*request.out, ".png") && !EndsWith(*request.out, ".bmp"))
        return "--out needs a file name ending in .png or .bmp";
    request.grid = parsed.option("grid");
    request.info = parsed.option("info");
    request.geotiff = parsed.option("geotiff");
    request.geotiffRgb = parsed.option("geotiff-rgb");
    return {};
}

// Heights of the sampled points: floor(PicRows) rows of floor(PicCols) values,
// north row first, each from west to east, 16-bit little-endian; a row of the
// grid lies in memory as its values one after another.
bool WriteGridFile(const std::string& path, const PictureGrid& state)
{
    const int cols = static_cast<int>(std::floor(state.PicCols));
    const int rows = static_cast<int>(std::floor(state.PicRows));
    QFile file(QString::fromStdString(path));
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QByteArray row(static_cast<qsizetype>(cols) * 2, Qt::Uninitialized);
    for (int j = 1; j <= rows && ok; ++j) {
        if constexpr (std::endian::native == std::endian::little) {
            ok = cols == 0
                 || file.write(reinterpret_cast<const char*>(state.GridHeights.row(j) + 1), row.size()) == row.size();
            continue;
        }
        char* out = row.data();
        for (int i = 1; i <= cols; ++i) {
            const auto value = static_cast<std::uint16_t>(state.GridHeights(i, j));
            *out++ = static_cast<char>(value & 0xFF);
            *out++ = static_cast<char>(value >> 8);
        }
        ok = file.write(row) == row.size();
    }
    if (!ok || !file.flush()) {
        std::cerr << "marn render: cannot write " << path << ": " << file.errorString().toStdString() << '\n';
        return false;
    }
    return true;
}

QJsonArray LabelsJson(const std::vector<CoordinateLabel>& labels)
{
    QJsonArray array;
    for (const CoordinateLabel& label : labels) {
        array.append(QJsonObject{
            {"index", label.index},
            {"caption", QString::fromStdString(label.caption)},
            {"tick", QJsonArray{label.tickX1, label.tickY1, label.tickX2, label.tickY2}},
        });
    }
    return array;
}

QJsonObject InfoJson(const SharedState& s, const frmPicture& picture)
{
    QJsonObject info{
        {"PicLeft", s.PicLeft},
        {"PicRight", s.PicRight},
        {"PicTop", s.PicTop},
        {"PicBottom", s.PicBottom},
        {"PicCols", s.PicCols},
        {"PicRows", s.PicRows},
        {"KmPerPixel", s.KmPerPixel},
        {"LonMid", s.LonMid},
        {"LatS", s.LatS},
        {"LatN", s.LatN},
        {"LatNW", s.LatNW},
        {"LonNW", s.LonNW},
        {"LatNE", s.LatNE},
        {"LonNE", s.LonNE},
        {"LatSW", s.LatSW},
        {"LonSW", s.LonSW},
        {"LatSE", s.LatSE},
        {"LonSE", s.LonSE},
        {"GridCols", LastSampledColumn(s)},
        {"GridRows", LastSampledRow(s)},
        {"NoData", NoData},
        {"NoDataMeaning", "-9999 in the grid (--grid, --geotiff) marks a missing height"},
    };
    info["MinText"] = QString::fromStdString(MinimumText(picture.heightRange()));
    info["MaxText"] = QString::fromStdString(MaximumText(picture.heightRange()));
    QJsonArray limits;
    for (std::size_t k = 1; k <= 9; ++k)
        limits.append(picture.classLimits()[k]);
    info["ClassLimit"] = limits;
    QJsonArray legend;
    for (const std::string& caption : LegendRowCaptions(picture.classLimits()))
        legend.append(QString::fromStdString(caption));
    info["Legend"] = legend;
    info["ScaleCaption"] = QString::fromStdString(picture.scaleBar().caption);
    info["ScaleBarPx"] = picture.scaleBar().x1 - picture.scaleBar().x0;
    const CoordinateLabelSet& labels = picture.coordinateLabels();
    info["Labels"] = QJsonObject{
        {"LabNS", LabelsJson(labels.LabNS)},
        {"LabEWU", LabelsJson(labels.LabEWU)},
        {"LabEWO", LabelsJson(labels.LabEWO)},
    };
    return info;
}

bool WriteFile(const std::string& path, const QByteArray& bytes)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::cerr << "marn render: cannot write " << path << ": " << file.errorString().toStdString() << '\n';
        return false;
    }
    return true;
}

// Qt's PNG writer turns quality q into zlib level (100 - q) * 9 / 91: 80 is
// level 1, which packs a picture of flat class colours nearly as tightly as
// the default level and several times faster.
constexpr int PngQuality = 80;

bool WriteOutputs(const RenderRequest& request, const SharedState& state, frmPicture& picture)
{
    bool ok = true;
    if (request.out) {
        QImage snapshot = picture.clientArea()->grab().toImage();
        if (snapshot.hasAlphaChannel())
            snapshot = std::move(snapshot).convertToFormat(QImage::Format_RGB32); // the window is opaque
        const bool png = EndsWith(*request.out, ".png");
        if (!snapshot.save(QString::fromStdString(*request.out), png ? "PNG" : "BMP", png ? PngQuality : -1)) {
            std::cerr << "marn render: cannot write " << *request.out << '\n';
            ok = false;
        }
    }
    if (request.grid)
        ok = WriteGridFile(*request.grid, state) && ok;
    if (request.info)
        ok = WriteFile(*request.info, QJsonDocument(InfoJson(state, picture)).toJson(QJsonDocument::Indented)) && ok;
    const auto reportGeoTiff = [&ok](const std::string& path, const std::string& failure) {
        if (failure.empty())
            return;
        std::cerr << "marn render: cannot write " << path << ": " << failure << '\n';
        ok = false;
    };
    if (request.geotiff)
        reportGeoTiff(*request.geotiff, WriteHeightGeoTiff(*request.geotiff, state));
    if (request.geotiffRgb)
        reportGeoTiff(*request.geotiffRgb,
            WriteColourGeoTiff(*request.geotiffRgb, state, PictureAreaRgb(state, picture.Picture1->picture())));
    return ok;
}

// Shows "sampling heights: 42%" on a terminal, rewritten in place.
void ReportRow(int row, int rows)
{
    if (rows <= 0)
        return;
    const int percent = row * 100 / rows;
    const int before = (row - 1) * 100 / rows;
    if (row != rows && percent == before)
        return;
    std::cerr << "\rsampling heights: " << percent << '%' << (row == rows ? "\n" : "") << std::flush;
}

int Render(const RenderRequest& request)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PassedOnMessages = qInstallMessageHandler(&DropRuntimeDirectoryNote);
    int argc = 1;
    char name[] = "marn";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MARN_VIEWER"));

    SharedState state;
    state.DataDrive = request.dataDrive;
    state.ProgramDir = CurrentDirectory();
    state.CenterLat = request.centerLat;
    state.CenterLon = request.centerLon;
    state.AreaLengthKm = request.lengthKm;
    HeadlessPlatform platform({request.screenWidth, request.screenHeight, 15.0});

    // The windows go through their whole load but never onto a screen: no
    // window system surface is made for them, the picture window is not
    // painted as a whole (the snapshot renders its client area by itself) and
    // the progress and wait windows are not painted at all.
    frmPicture picture(state, platform);
    picture.setReliefShading(request.relief);
    picture.setClassesFromShownHeights(request.classesWithoutMissing);
    picture.setAttribute(Qt::WA_DontShowOnScreen);
    for (QWidget* window :
        {static_cast<QWidget*>(&picture.progressWindow()), static_cast<QWidget*>(&picture.waitWindow())}) {
        window->setAttribute(Qt::WA_DontShowOnScreen);
        window->setUpdatesEnabled(false);
    }
    if (isatty(STDERR_FILENO) != 0)
        QObject::connect(&picture.progressWindow(), &Fortschritt::rowDone, &ReportRow);
    if (!picture.Form_Load())
        return 1;
    return WriteOutputs(request, state, picture) ? 0 : 1;
}

} // namespace

int RunRender(const std::vector<std::string>& args)
{
    const ParsedArgs parsed =
        ParseArgs(args, {"data-drive", "screen", "center", "length", "out", "grid", "info", "geotiff", "geotiff-rgb"},
            {"help", "relief", "classes-without-missing"});
    if (parsed.hasSwitch("help")) {
        std::cout << UsageText;
        return 0;
    }
    RenderRequest request;
    const std::string problem = ReadRequest(parsed, request);
    if (!problem.empty())
        return UsageError(problem);
    return Render(request);
}

} // namespace marn::cli
