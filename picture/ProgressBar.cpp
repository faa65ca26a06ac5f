#include "picture/ProgressBar.h"

#include "core/Single.h"
#include "picture/DigitPatterns.h"
#include "picture/Rounding.h"

#include <cmath>

namespace marn {

ProgressBarLayout ComputeProgressBar(float screenWidthPx, float screenHeightPx)
{
    const double w = static_cast<double>(screenWidthPx);
    ProgressBarLayout layout;
    layout.x0 = Single(0.03 * w);
    layout.x1 = Single(0.65 * w);
    layout.y = Single(0.12 * static_cast<double>(screenHeightPx));
    const double y = static_cast<double>(layout.y);
    for (int k = 0; k <= 10; ++k) {
        const double x0 = static_cast<double>(layout.x0);
        const float xk = Single((static_cast<double>(layout.x1) - x0) * k / 10.0 + x0);
        ProgressMark& mark = layout.marks[static_cast<std::size_t>(k)];
        mark.tick = {xk, Single(y - 10.0), xk, Single(y + 11.0)};
        mark.caption = FormatPattern(k * 10, "##0") + (k == 10 ? "%" : "");
        mark.labelPos = {Single(static_cast<double>(xk) - 0.02 * w), Single(y + 15.0)};
        mark.labelWidth = Single(0.04 * w);
    }
    return layout;
}

std::vector<PxLine> ProgressBarLines(const ProgressBarLayout& layout, float progress)
{
    std::vector<PxLine> lines;
    const double filled = std::floor(static_cast<double>(progress));
    if (filled <= 1.0)
        return lines;
    const auto from = static_cast<int>(RoundHalfEven(static_cast<double>(layout.y) - 7.0));
    const auto to = static_cast<int>(RoundHalfEven(static_cast<double>(layout.y) + 7.0));
    const auto left = Single(static_cast<double>(layout.x0) + 1.0);
    const auto right = Single(filled + static_cast<double>(layout.x0) + 1.0);
    for (int row = from; row <= to; ++row)
        lines.push_back({left, Single(row), right, Single(row)});
    return lines;
}

} // namespace marn
