#pragma once
// Geometry of the picture window, derived from the screen size: window,
// drawing surface, title lines, picture area, frame, scale bar and legend.
// All values are pixels of the drawing surface Picture1 (single precision,
// like the window's own coordinates); W and H are the screen's width and height.

#include "core/PictureArea.h"

#include <array>
#include <cstdint>
#include <string>

namespace marn {

struct PxPoint {
    float x = 0.0F;
    float y = 0.0F;
};

struct PxRect {
    float left = 0.0F;
    float top = 0.0F;
    float width = 0.0F;
    float height = 0.0F;
};

// A line from (x1, y1) to (x2, y2).
struct PxLine {
    float x1 = 0.0F;
    float y1 = 0.0F;
    float x2 = 0.0F;
    float y2 = 0.0F;
};

// The label sizes that the picture area is computed from: the design sizes of
// the labels at the moment of the layout (they do not size themselves to their
// text), in pixels. label1Width and label3Width are the widths of the title and
// version lines, which centre and right-align them.
struct LabelDesignSizes {
    float labNSWidth = 50.0F;   // LabNS(0): 750 twips
    float label1Height = 22.0F; // Label1: 330 twips (Times New Roman 14.25 pt bold)
    float labEWOHeight = 15.0F; // LabEWO(0): 225 twips
    float labEWUHeight = 14.0F; // LabEWU(0): 210 twips
    float label1Width = 0.0F;
    float label3Width = 0.0F;
};

// Label1's design height; the coordinate labels' design sizes are in CoordinateLabels.h.
inline constexpr double Label1HeightTwips = 330.0;

// The design sizes above converted from twips at twipsPerPixel (15 at 96 dpi).
LabelDesignSizes DesignLabelSizes(double twipsPerPixel, float label1WidthPx, float label3WidthPx);

// The picture area (PicLeft .. PicRows) comes from the label design sizes.
struct PictureLayout : PictureArea {
    // Window: top left corner of the screen, W wide and 0.964 H high.
    PxRect Window;
    float ScreenWidthPx = 0.0F;
    float ScreenHeightPx = 0.0F;

    std::int16_t SwatchSize = 0;      // floor(H / 30)
    float LegendStep = 0.0F;          // 0.04, or 0.035 below 1000 pixels height
    std::int16_t ReadoutFontSize = 0; // 12, or 11 below 1000 pixels height
    bool Label1FontSize12 = false;    // the title's font becomes 12 pt below 1000 pixels height

    PxRect Picture1;
    PxPoint Command1; // left, top
    PxPoint Label1;   // centred at the top
    PxPoint Label3;   // right-aligned at the top

    // The picture area; not necessarily whole numbers.

    PxPoint MinimumLabel;                     // Label4
    PxPoint MaximumLabel;                     // Label6
    PxPoint LegendHeading;                    // Label8 "Heights [m]"
    std::array<PxPoint, 12> LegendRows{};     // Label9 .. Label20
    std::array<PxPoint, 12> LegendSwatches{}; // Text1 .. Text12, SwatchSize square
};

PictureLayout ComputePictureLayout(int screenWidthPx, int screenHeightPx, const LabelDesignSizes& sizes);

// Same, with the design sizes converted at twipsPerPixel.
PictureLayout ComputePictureLayout(
    int screenWidthPx, int screenHeightPx, double twipsPerPixel, float label1WidthPx, float label3WidthPx);

// The four black lines one pixel outside the picture area: top, bottom, left, right.
std::array<PxLine, 4> FrameLines(float picLeft, float picTop, float picRight, float picBottom);
std::array<PxLine, 4> FrameLines(const PictureLayout& layout);

// The scale bar: a bar about 27 % of the screen wide, its length stepped down
// to 5, 10, 20, 50, 100, 200, 500 or 1000 km (below 5 km unchanged).
struct ScaleBar {
    float km = 0.0F;               // ScaleKm
    std::string caption;           // "Scale for 1000 km"
    PxPoint captionPos;            // Label2: left 0.72 W, top 0.75 H
    float x0 = 0.0F;               // 0.72 W
    float x1 = 0.0F;               // x0 + floor(picCols * km / areaLengthKm)
    float y = 0.0F;                // 0.795 H
    std::array<PxLine, 3> lines{}; // left end mark, bar, right end mark
};

// Throws std::invalid_argument when areaLengthKm or picCols is not positive.
ScaleBar ComputeScaleBar(std::int16_t areaLengthKm, float picCols, float W, float H);

// The raw scale length stepped down (5 <= km < 10 gives 5, ..., km >= 1000 gives 1000).
float StepScaleKm(float km);

} // namespace marn
