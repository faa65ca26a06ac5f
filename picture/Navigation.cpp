#include "picture/Navigation.h"

#include "core/AreaLength.h"
#include "core/CenterLimits.h"
#include "core/Geodesy.h"
#include "core/GridSetUp.h"
#include "picture/ReadoutPoint.h"

#include <cmath>

namespace marn {
namespace {

// The zoom about the pointer moves its first guess of the centre until the
// pointer's point lies under the pointer again; a few steps reach a
// millionth of a metre, the limit only guards against the poles.
constexpr int MaxCentreSteps = 50;
constexpr double CentreToleranceDeg = 1e-11;

// Column and row of the grid (1-based, unrounded) under the pointer's pixel,
// as the readout counts them.
double PointerColumn(const PictureArea& s, float x)
{
    return std::floor(static_cast<double>(x)) - static_cast<double>(s.PicLeft) + 1.0;
}

double PointerRow(const PictureArea& s, float y)
{
    return std::floor(static_cast<double>(y)) - static_cast<double>(s.PicTop) + 1.0;
}

std::optional<View> Permitted(const View& view)
{
    if (!IsPermittedCenterLatitude(view.CenterLat) || !IsPermittedAreaLength(view.AreaLengthKm))
        return std::nullopt;
    View wrapped = view;
    wrapped.CenterLon = WrapLongitude(view.CenterLon);
    return wrapped;
}

} // namespace

std::optional<std::int16_t> ZoomedLength(std::int16_t lengthKm, int notches)
{
    const double km = std::floor(std::ldexp(static_cast<double>(lengthKm), -notches) + 0.5);
    if (!IsPermittedAreaLength(km))
        return std::nullopt;
    return static_cast<std::int16_t>(km);
}

std::optional<View> ZoomedView(const View& at, int notches)
{
    const std::optional<std::int16_t> length = ZoomedLength(at.AreaLengthKm, notches);
    if (!length)
        return std::nullopt;
    return Permitted({at.CenterLat, at.CenterLon, *length});
}

std::optional<View> ZoomedViewAt(const View& at, const PictureGrid& s, int notches, float x, float y)
{
    const std::optional<std::int16_t> length = ZoomedLength(at.AreaLengthKm, notches);
    if (!length || !ReadoutInside(s, x, y))
        return std::nullopt;
    const double u = PointerColumn(s, x);
    const double v = PointerRow(s, y);
    double pointLat = 0.0;
    double pointLon = 0.0;
    GridPointAt(s, s, u, v, pointLat, pointLon);

    // A shorter length draws the centre towards the point in proportion; the
    // frame hangs from its southern edge and follows great circles, so the
    // guess is then moved by what the point under the pointer is still off.
    const double ratio = static_cast<double>(*length) / at.AreaLengthKm;
    double lat = pointLat + (at.CenterLat - pointLat) * ratio;
    double lon = pointLon + (at.CenterLon - pointLon) * ratio;
    for (int step = 0; step < MaxCentreSteps; ++step) {
        double underLat = 0.0;
        double underLon = 0.0;
        GridPointAt(ComputeGridFrame(lat, lon, *length, s), s, u, v, underLat, underLon);
        const double offLat = pointLat - underLat;
        const double offLon = pointLon - underLon;
        lat += offLat;
        lon += offLon;
        if (std::abs(offLat) < CentreToleranceDeg && std::abs(offLon) < CentreToleranceDeg)
            break;
    }
    return Permitted({lat, lon, *length});
}

std::optional<View> CentredView(const View& at, const PictureGrid& s, float x, float y)
{
    if (!ReadoutInside(s, x, y))
        return std::nullopt;
    double lat = 0.0;
    double lon = 0.0;
    GridPointAt(s, s, PointerColumn(s, x), PointerRow(s, y), lat, lon);
    return Permitted({lat, lon, at.AreaLengthKm});
}

std::optional<View> MovedView(const View& at, const PictureGrid& s, Direction direction)
{
    View view = at;
    const double halfHeightDeg = static_cast<double>(s.PicRows) * s.KmPerPixel / 2 / KmPerDegree;
    double latUnused = 0.0;
    double lonEast = 0.0;
    DestPoint(at.CenterLat, at.CenterLon, 90, static_cast<double>(at.AreaLengthKm) / 2, latUnused, lonEast);
    const double halfWidthDeg = lonEast - at.CenterLon;
    switch (direction) {
    case Direction::North:
        view.CenterLat += halfHeightDeg;
        break;
    case Direction::South:
        view.CenterLat -= halfHeightDeg;
        break;
    case Direction::West:
        view.CenterLon -= halfWidthDeg;
        break;
    case Direction::East:
        view.CenterLon += halfWidthDeg;
        break;
    }
    return Permitted(view);
}

PreviewShift PreviewOf(const View& from, const PictureGrid& shown, const View& to)
{
    constexpr double RadPerDeg = 3.141592654 / 180.0;
    const double kmPerPixel = shown.KmPerPixel;
    const double dLat = to.CenterLat - from.CenterLat;
    const double dLon = WrapLongitude(to.CenterLon - from.CenterLon);
    PreviewShift shift;
    shift.scale = static_cast<double>(from.AreaLengthKm) / to.AreaLengthKm;
    shift.dx = dLon * std::cos(from.CenterLat * RadPerDeg) * KmPerDegree / kmPerPixel;
    shift.dy = -dLat * KmPerDegree / kmPerPixel;
    return shift;
}

void ViewHistory::push(const View& view)
{
    views_.push_back(view);
    while (views_.size() > Capacity)
        views_.pop_front();
}

std::optional<View> ViewHistory::pop()
{
    if (views_.empty())
        return std::nullopt;
    const View view = views_.back();
    views_.pop_back();
    return view;
}

} // namespace marn
