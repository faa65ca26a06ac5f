#pragma once
// The coordinate ticks and labels along the picture's edges: whole-minute
// latitudes along the left edge (LabNS), longitudes below (LabEWU) and above
// (LabEWO) the picture. Computed from the corner coordinates and the picture
// geometry; the picture window draws the ticks and places the labels.

#include "core/PictureGrid.h"

#include <array>
#include <string>
#include <vector>

namespace marn {

inline constexpr int CoordinateLabelCount = 16; // indexes 0..15 per edge

// Design sizes of the label arrays in twips.
inline constexpr double LabNSWidthTwipsDesign = 750.0;
inline constexpr double LabNSHeightTwipsDesign = 240.0;
inline constexpr double LabEWOWidthTwipsDesign = 1125.0;
inline constexpr double LabEWOHeightTwipsDesign = 225.0;
inline constexpr double LabEWUWidthTwipsDesign = 1065.0;
inline constexpr double LabEWUHeightTwipsDesign = 210.0;

// One drawn tick with its label. The tick runs from (tickX1, tickY1) to
// (tickX2, tickY2); the along-edge coordinate is a whole pixel, the left
// edge's ticks start at PicLeft - 8 and end at PicLeft - 1, which need not be
// whole. left and top place the label; its caption is set as given.
struct CoordinateLabel {
    int index = 0; // index in its label array, 0..15
    std::string caption;
    float tickX1 = 0.0F;
    float tickY1 = 0.0F;
    float tickX2 = 0.0F;
    float tickY2 = 0.0F;
    double left = 0.0;
    double top = 0.0;
};

// The labels to show, in drawing order; an index that is missing stays hidden
// (a hidden first LabEWU/LabEWO lets the list start at index 1).
struct CoordinateLabelSet {
    std::vector<CoordinateLabel> LabNS;
    std::vector<CoordinateLabel> LabEWU;
    std::vector<CoordinateLabel> LabEWO;
};

// Each label's own size in pixels, which centres the longitude labels on their
// ticks and places LabEWO above the picture.
struct CoordinateLabelSizes {
    std::array<float, CoordinateLabelCount> LabEWUWidth{};
    std::array<float, CoordinateLabelCount> LabEWOWidth{};
    std::array<float, CoordinateLabelCount> LabEWOHeight{};
};

// The design sizes converted from twips at twipsPerPixel (15 at 96 dpi).
CoordinateLabelSizes DesignCoordinateLabelSizes(double twipsPerPixel);

// The picture area and its frame (the labels read the corners), the screen
// height and the label sizes.
struct LabelInputs : PictureArea, AreaFrame {
    float ScreenHeightPx = 0.0F;
    CoordinateLabelSizes sizes;
};

LabelInputs LabelInputsFrom(const PictureGrid& state, const CoordinateLabelSizes& sizes);

// The labels of the three edges, left edge first, then bottom, then top.
// An edge with no extent (end not beyond start) or no pixels gets no labels.
CoordinateLabelSet ComputeCoordinateLabels(const LabelInputs& in);

// Label spacing in minutes for an edge extent of n whole minutes.
enum class LabelEdge { Left, Bottom, Top };
int LabelStepMinutes(LabelEdge edge, int extentMinutes);

// "51°30'N", "00°20'S"; "007°05'E", "000°20'W" (c is the label's coordinate).
std::string LatitudeLabelText(int deg, int min, float c);
std::string LongitudeLabelText(int deg, int min, float c);

} // namespace marn
