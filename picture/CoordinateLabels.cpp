#include "picture/CoordinateLabels.h"

#include "core/Single.h"
#include "picture/DigitPatterns.h"
#include "picture/Rounding.h"

#include <cmath>

namespace marn {
namespace {

// One edge: its start and end coordinate, pixel count and the rules that differ.
struct EdgeSpec {
    LabelEdge edge;
    double start;
    double end;
    float pixels; // PicRows for the left edge, PicCols for the others
};

// The current label of an edge in degrees and minutes; min has the sign of deg.
struct DegMin {
    int deg = 0;
    int min = 0;
};

int Truncate(double v)
{
    return static_cast<int>(std::trunc(v));
}

// Index 0: the first whole multiple of step beyond the start, carried into the degrees.
DegMin FirstLabel(const EdgeSpec& side, int step)
{
    DegMin at;
    at.deg = Truncate(side.start);
    at.min = Truncate((side.start - at.deg) * 60.0);
    const bool ascending = side.start >= 0.0;
    at.min += ascending ? 1 : -1;
    while (at.min % step != 0) {
        ++at.min;
    }
    const bool latitude = side.edge == LabelEdge::Left;
    if (ascending) {
        while (at.min >= 60) {
            at.min -= 60;
            ++at.deg;
            if (latitude && at.deg >= 90) {
                at.deg -= 180;
            } else if (!latitude && at.deg >= 360) {
                at.deg = 0;
            }
        }
        return at;
    }
    while (at.min <= -60) {
        at.min += 60;
        --at.deg;
        if (latitude && at.deg <= -90) {
            at.deg += 180;
        } else if (!latitude && at.deg <= -180) {
            at.deg += 360;
        }
    }
    return at;
}

// Indexes 1..15: one step further, carried without wrap-around.
void NextLabel(DegMin& at, int step)
{
    at.min += step;
    if (at.deg < 0) {
        while (at.min > 0) {
            at.min -= 60;
            ++at.deg;
        }
        return;
    }
    while (at.min >= 60) {
        at.min -= 60;
        ++at.deg;
    }
}

float LabelCoordinate(const DegMin& at)
{
    return Single(at.deg + at.min / 60.0);
}

// Pixel offset of coordinate c from the edge's start: floor(minutes / mpp + 0.5).
double PixelOffset(float c, const EdgeSpec& side, double mpp)
{
    return RoundHalfUp((static_cast<double>(c) - side.start) * 60.0 / mpp);
}

CoordinateLabel PlaceLabel(
    const EdgeSpec& side, const LabelInputs& in, int index, const DegMin& at, float c, double mpp)
{
    CoordinateLabel label;
    label.index = index;
    const auto slot = static_cast<std::size_t>(index);
    if (side.edge == LabelEdge::Left) {
        const auto y = Single(RoundHalfEven(
            (static_cast<double>(in.PicTop) + static_cast<double>(in.PicRows)) - PixelOffset(c, side, mpp)));
        label.tickX1 = in.PicLeft - 8.0F;
        label.tickX2 = in.PicLeft - 1.0F;
        label.tickY1 = y;
        label.tickY2 = y;
        label.caption = LatitudeLabelText(at.deg, at.min, c);
        label.top = static_cast<double>(y) - 0.007 * static_cast<double>(in.ScreenHeightPx);
        label.left = 0.0;
        return label;
    }
    const auto x = Single(RoundHalfEven(PixelOffset(c, side, mpp) + static_cast<double>(in.PicLeft)));
    label.tickX1 = x;
    label.tickX2 = x;
    label.caption = LongitudeLabelText(at.deg, at.min, c);
    if (side.edge == LabelEdge::Bottom) {
        label.tickY1 = in.PicBottom + 1.0F;
        label.tickY2 = in.PicBottom + 8.0F;
        label.top = static_cast<double>(in.PicBottom) + 12.0;
        label.left = static_cast<double>(x) - static_cast<double>(in.sizes.LabEWUWidth[slot]) / 2.0;
        return label;
    }
    label.tickY1 = in.PicTop - 1.0F;
    label.tickY2 = in.PicTop - 8.0F;
    label.top = static_cast<double>(in.PicTop) - 13.0 - static_cast<double>(in.sizes.LabEWOHeight[slot]);
    label.left = static_cast<double>(x) - static_cast<double>(in.sizes.LabEWOWidth[slot]) / 2.0;
    return label;
}

std::vector<CoordinateLabel> EdgeLabels(const EdgeSpec& side, const LabelInputs& in)
{
    std::vector<CoordinateLabel> labels;
    const double extentMinutes = (side.end - side.start) * 60.0;
    if (!(extentMinutes > 0.0) || !(side.pixels > 0.0F)) {
        return labels;
    }
    const int step = LabelStepMinutes(side.edge, Truncate(extentMinutes));
    const double mpp = extentMinutes / static_cast<double>(side.pixels);

    DegMin at = FirstLabel(side, step);
    const CoordinateLabel first = PlaceLabel(side, in, 0, at, LabelCoordinate(at), mpp);
    if (side.edge == LabelEdge::Left || first.tickX1 > in.PicLeft) {
        labels.push_back(first);
    }
    const auto end = Single(side.end);
    for (int index = 1; index < CoordinateLabelCount; ++index) {
        NextLabel(at, step);
        const float c = LabelCoordinate(at);
        if (end < c) {
            break;
        }
        labels.push_back(PlaceLabel(side, in, index, at, c, mpp));
    }
    return labels;
}

} // namespace

int LabelStepMinutes(LabelEdge edge, int n)
{
    if (n <= 8) {
        return 1;
    }
    if (n <= 16) {
        return 2;
    }
    if (n <= 24) {
        return 3;
    }
    if (n <= 40) {
        return 5;
    }
    if (n <= 80) {
        return 10;
    }
    if (n <= 120) {
        return 15;
    }
    if (n <= 240) {
        return 30;
    }
    if (n <= 480 || edge == LabelEdge::Left) {
        return 60;
    }
    if (n <= 960) {
        return 120;
    }
    if (n <= 1440 || edge == LabelEdge::Bottom) {
        return 180;
    }
    return 300;
}

std::string LatitudeLabelText(int deg, int min, float c)
{
    return FormatPattern(std::abs(deg), "00") + "°" + FormatPattern(std::abs(min), "00") + "'" + (c < 0.0F ? "S" : "N");
}

std::string LongitudeLabelText(int deg, int min, float c)
{
    return FormatPattern(std::abs(deg), "000") + "°" + FormatPattern(std::abs(min), "00") + (c < 0.0F ? "'W" : "'E");
}

CoordinateLabelSizes DesignCoordinateLabelSizes(double twipsPerPixel)
{
    CoordinateLabelSizes sizes;
    sizes.LabEWUWidth.fill(Single(LabEWUWidthTwipsDesign / twipsPerPixel));
    sizes.LabEWOWidth.fill(Single(LabEWOWidthTwipsDesign / twipsPerPixel));
    sizes.LabEWOHeight.fill(Single(LabEWOHeightTwipsDesign / twipsPerPixel));
    return sizes;
}

LabelInputs LabelInputsFrom(const PictureGrid& state, const CoordinateLabelSizes& sizes)
{
    LabelInputs in;
    static_cast<PictureArea&>(in) = state;
    static_cast<AreaFrame&>(in) = state;
    in.ScreenHeightPx = state.ScreenHeightPx;
    in.sizes = sizes;
    return in;
}

CoordinateLabelSet ComputeCoordinateLabels(const LabelInputs& in)
{
    CoordinateLabelSet set;
    set.LabNS = EdgeLabels({LabelEdge::Left, in.LatSW, in.LatNW, in.PicRows}, in);
    set.LabEWU = EdgeLabels({LabelEdge::Bottom, in.LonSW, in.LonSE, in.PicCols}, in);
    set.LabEWO = EdgeLabels({LabelEdge::Top, in.LonNW, in.LonNE, in.PicCols}, in);
    return set;
}

} // namespace marn
