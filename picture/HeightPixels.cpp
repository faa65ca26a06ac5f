#include "picture/HeightPixels.h"

#include "core/Single.h"
#include "picture/ReliefShading.h"
#include "ui/NearestPixel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace marn {
namespace {

// Pixel positions of grid indices 1..count starting at `origin`; -1 marks a
// position outside 0..size-1.
std::vector<int> PixelPositions(float origin, int count, int size)
{
    std::vector<int> positions(static_cast<std::size_t>(count) + 1, -1);
    for (int k = 1; k <= count; ++k) {
        const int px = NearestPixel(Single(static_cast<double>(origin) + k - 1));
        if (px >= 0 && px < size)
            positions[static_cast<std::size_t>(k)] = px;
    }
    return positions;
}

} // namespace

std::vector<QRgb> HeightColourTable(const ClassLimits& limits)
{
    std::vector<QRgb> table(65536);
    for (int h = std::numeric_limits<std::int16_t>::min(); h <= std::numeric_limits<std::int16_t>::max(); ++h)
        table[static_cast<std::uint16_t>(h)] = ToQRgb(ColourForHeight(static_cast<std::int16_t>(h), limits));
    return table;
}

void DrawHeightPixels(const PictureGrid& state, const ClassLimits& limits, QImage& image, bool relief)
{
    const HeightGrid& grid = state.GridHeights;
    const int cols = std::min(static_cast<int>(std::floor(state.PicCols)), grid.maxCol());
    const int rows = std::min(static_cast<int>(std::floor(state.PicRows)), grid.maxRow());
    if (cols < 1 || rows < 1)
        return;
    const std::vector<QRgb> colours = HeightColourTable(limits);
    const std::vector<int> xs = PixelPositions(state.PicLeft, cols, image.width());
    const std::vector<int> ys = PixelPositions(state.PicTop, rows, image.height());
    const std::vector<Light> light =
        relief ? ReliefLight(grid, cols, rows, GridSpacing(state.KmPerPixel, state.LatN, state.LatS, state.PicRows))
               : std::vector<Light>{};
    // Whether the columns lie side by side in the image (not where a
    // position of one half rounds to the even pixel, nor where one is cut).
    bool contiguous = xs[1] >= 0;
    for (int x = 2; x <= cols && contiguous; ++x)
        contiguous = xs[static_cast<std::size_t>(x)] == xs[1] + x - 1;
    for (int y = 1; y <= rows; ++y) {
        const int py = ys[static_cast<std::size_t>(y)];
        if (py < 0)
            continue;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(py));
        for (int x = 1; x <= cols; ++x) {
            const int px = xs[static_cast<std::size_t>(x)];
            if (px >= 0)
                line[px] = colours[static_cast<std::uint16_t>(grid(x, y))];
        }
        if (light.empty())
            continue;
        const Light* rowLight = light.data() + static_cast<std::size_t>(y - 1) * static_cast<std::size_t>(cols);
        if (contiguous) {
            ShadePixels(line + xs[1], rowLight, static_cast<std::size_t>(cols));
            continue;
        }
        for (int x = 1; x <= cols; ++x) {
            if (xs[static_cast<std::size_t>(x)] >= 0)
                ShadePixels(line + xs[static_cast<std::size_t>(x)], rowLight + x - 1, 1);
        }
    }
}

} // namespace marn

namespace marn {

std::vector<std::uint8_t> PictureAreaRgb(const PictureGrid& state, const QImage& image)
{
    const int cols = std::min(static_cast<int>(std::floor(state.PicCols)), state.GridHeights.maxCol());
    const int rows = std::min(static_cast<int>(std::floor(state.PicRows)), state.GridHeights.maxRow());
    if (cols < 1 || rows < 1)
        return {};
    const std::vector<int> xs = PixelPositions(state.PicLeft, cols, image.width());
    const std::vector<int> ys = PixelPositions(state.PicTop, rows, image.height());
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows) * 3);
    for (int y = 1; y <= rows; ++y) {
        for (int x = 1; x <= cols; ++x) {
            const int px = xs[static_cast<std::size_t>(x)];
            const int py = ys[static_cast<std::size_t>(y)];
            if (px < 0 || py < 0)
                return {};
            const QRgb colour = image.pixel(px, py);
            rgb.insert(rgb.end(), {static_cast<std::uint8_t>(qRed(colour)), static_cast<std::uint8_t>(qGreen(colour)),
                                      static_cast<std::uint8_t>(qBlue(colour))});
        }
    }
    return rgb;
}

} // namespace marn
