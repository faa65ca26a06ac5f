#include "picture/ProgressBar.h"

#include "picture/DigitPatterns.h"
#include "picture/Rounding.h"

#include <cmath>

namespace marn {

ProgressBarLayout ComputeProgressBar(float screenWidthPx, float screenHeightPx)
{
    const double w = screenWidthPx;
    ProgressBarLayout layout;
    layout.x0 = static_cast<float>(0.03 * w);
    layout.x1 = static_cast<float>(0.65 * w);
    layout.y = static_cast<float>(0.12 * screenHeightPx);
    const double y = layout.y;
    for (int k = 0; k <= 10; ++k) {
        const float xk = static_cast<float>((static_cast<double>(layout.x1) - layout.x0) * k / 10.0 + layout.x0);
        ProgressMark& mark = layout.marks[static_cast<std::size_t>(k)];
        mark.tick = {xk, static_cast<float>(y - 10.0), xk, static_cast<float>(y + 11.0)};
        mark.caption = FormatPattern(k * 10, "##0") + (k == 10 ? "%" : "");
        mark.labelPos = {static_cast<float>(xk - 0.02 * w), static_cast<float>(y + 15.0)};
        mark.labelWidth = static_cast<float>(0.04 * w);
    }
    return layout;
}

std::vector<PxLine> ProgressBarLines(const ProgressBarLayout& layout, float progress)
{
    std::vector<PxLine> lines;
    const double filled = std::floor(progress);
    if (filled <= 1.0)
        return lines;
    const auto from = static_cast<int>(RoundHalfEven(static_cast<double>(layout.y) - 7.0));
    const auto to = static_cast<int>(RoundHalfEven(static_cast<double>(layout.y) + 7.0));
    const auto left = static_cast<float>(static_cast<double>(layout.x0) + 1.0);
    const auto right = static_cast<float>(filled + layout.x0 + 1.0);
    for (int row = from; row <= to; ++row)
        lines.push_back({left, static_cast<float>(row), right, static_cast<float>(row)});
    return lines;
}

} // namespace marn
