#pragma once
// Geometry of the progress bar of the height sampling, in pixels of the
// progress window, derived from the screen size: the base line, eleven marks
// from 0 to 100 % with their captions, and the red bar that grows per row.

#include "picture/PictureLayout.h"

#include <array>
#include <string>
#include <vector>

namespace marn {

struct ProgressMark {
    PxLine tick;             // (xk, y - 10) to (xk, y + 11)
    std::string caption;     // "0", "10", ..., "90", "100%"
    PxPoint labelPos;        // left xk - 0.02 W, top y + 15
    float labelWidth = 0.0F; // 0.04 W
};

struct ProgressBarLayout {
    float x0 = 0.0F; // 0.03 W
    float x1 = 0.0F; // 0.65 W
    float y = 0.0F;  // 0.12 H
    std::array<ProgressMark, 11> marks{};
};

ProgressBarLayout ComputeProgressBar(float screenWidthPx, float screenHeightPx);

// The lines that draw the bar for a progress of `progress` pixels: none while
// floor(progress) is 1 or less, otherwise one line per whole y' from
// round(y - 7) to round(y + 7) (halves to even), each from (x0 + 1, y') to
// (floor(progress) + x0 + 1, y').
std::vector<PxLine> ProgressBarLines(const ProgressBarLayout& layout, float progress);

} // namespace marn
