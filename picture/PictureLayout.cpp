#include "picture/PictureLayout.h"

#include "core/Single.h"
#include "picture/CoordinateLabels.h"
#include "picture/DigitPatterns.h"

#include <cmath>
#include <stdexcept>

namespace marn {

LabelDesignSizes DesignLabelSizes(double twipsPerPixel, float label1WidthPx, float label3WidthPx)
{
    LabelDesignSizes sizes;
    sizes.labNSWidth = Single(LabNSWidthTwipsDesign / twipsPerPixel);
    sizes.label1Height = Single(Label1HeightTwips / twipsPerPixel);
    sizes.labEWOHeight = Single(LabEWOHeightTwipsDesign / twipsPerPixel);
    sizes.labEWUHeight = Single(LabEWUHeightTwipsDesign / twipsPerPixel);
    sizes.label1Width = label1WidthPx;
    sizes.label3Width = label3WidthPx;
    return sizes;
}

PictureLayout ComputePictureLayout(int screenWidthPx, int screenHeightPx, const LabelDesignSizes& sizes)
{
    PictureLayout layout;
    const double w = screenWidthPx;
    const double h = screenHeightPx;
    layout.Window = {0.0F, 0.0F, Single(w), Single(0.964 * h)};
    layout.ScreenWidthPx = Single(w);
    layout.ScreenHeightPx = Single(h);

    layout.SwatchSize = static_cast<std::int16_t>(std::floor(h / 30.0));
    const bool smallScreen = h < 1000.0;
    layout.LegendStep = smallScreen ? 0.035F : 0.04F;
    layout.ReadoutFontSize = smallScreen ? 11 : 12;
    layout.Label1FontSize12 = smallScreen;

    layout.Picture1 = {Single(0.001 * w), Single(0.005 * h), Single(0.999 * w), Single(0.955 * h)};
    layout.Command1 = {Single(0.87 * w), Single(0.81 * h)};
    layout.Label1 = {Single(0.5 * w - static_cast<double>(sizes.label1Width) / 2.0), Single(0.001 * h)};
    layout.Label3 = {Single(0.975 * w - static_cast<double>(sizes.label3Width)), Single(0.001 * h)};

    static_cast<PictureArea&>(layout) =
        PictureAreaBetween(Single(0.001 * w + static_cast<double>(sizes.labNSWidth) + 17.0),
            Single(0.001 * h + static_cast<double>(sizes.label1Height) + 5.0 + static_cast<double>(sizes.labEWOHeight)
                   + 13.0),
            Single(0.69 * w), Single(0.865 * h - static_cast<double>(sizes.labEWUHeight) - 15.0));

    layout.MinimumLabel = {Single(0.72 * w), Single(0.043 * h)};
    layout.MaximumLabel = {Single(0.72 * w), Single(0.072 * h)};
    layout.LegendHeading = {Single(0.72 * w), Single(0.11 * h)};
    for (std::size_t r = 0; r < layout.LegendRows.size(); ++r) {
        const double offset = static_cast<double>(r) * static_cast<double>(layout.LegendStep);
        layout.LegendRows[r] = {Single(0.72 * w), Single((0.15 + offset) * h)};
        layout.LegendSwatches[r] = {Single(0.835 * w), Single((0.145 + offset) * h)};
    }
    return layout;
}

PictureLayout ComputePictureLayout(
    int screenWidthPx, int screenHeightPx, double twipsPerPixel, float label1WidthPx, float label3WidthPx)
{
    return ComputePictureLayout(
        screenWidthPx, screenHeightPx, DesignLabelSizes(twipsPerPixel, label1WidthPx, label3WidthPx));
}

std::array<PxLine, 4> FrameLines(float picLeft, float picTop, float picRight, float picBottom)
{
    const float left = picLeft - 1.0F;
    const float top = picTop - 1.0F;
    const float right = picRight + 1.0F;
    const float bottom = picBottom + 1.0F;
    return {{
        {left, top, right, top},
        {left, bottom, right, bottom},
        {left, top, left, bottom},
        {right, top, right, bottom},
    }};
}

std::array<PxLine, 4> FrameLines(const PictureLayout& layout)
{
    return FrameLines(layout.PicLeft, layout.PicTop, layout.PicRight, layout.PicBottom);
}

float StepScaleKm(float km)
{
    // Tests in this order, each seeing the result of the one before.
    constexpr float bounds[][3] = {
        {5.0F, 10.0F, 5.0F},
        {10.0F, 20.0F, 10.0F},
        {20.0F, 50.0F, 20.0F},
        {50.0F, 100.0F, 50.0F},
        {100.0F, 200.0F, 100.0F},
        {200.0F, 500.0F, 200.0F},
        {500.0F, 1000.0F, 500.0F},
    };
    for (const auto& bound : bounds) {
        if (km >= bound[0] && km < bound[1]) {
            km = bound[2];
        }
    }
    if (km >= 1000.0F) {
        km = 1000.0F;
    }
    return km;
}

ScaleBar ComputeScaleBar(std::int16_t areaLengthKm, float picCols, float W, float H)
{
    if (areaLengthKm <= 0 || !(picCols > 0.0F)) {
        throw std::invalid_argument("the scale bar needs a positive area length and picture width");
    }
    ScaleBar bar;
    const double w = static_cast<double>(W);
    const double h = static_cast<double>(H);
    bar.km = StepScaleKm(Single(areaLengthKm / static_cast<double>(picCols) * std::floor(0.27 * w)));
    bar.caption = "Scale for " + FormatSinglePattern(bar.km, "###0") + " km";
    bar.captionPos = {Single(0.72 * w), Single(0.75 * h)};
    bar.x0 = Single(0.72 * w);
    bar.y = Single(0.795 * h);
    bar.x1 = Single(static_cast<double>(bar.x0)
                    + std::floor(static_cast<double>(picCols) * static_cast<double>(bar.km) / areaLengthKm));
    bar.lines = {{
        {bar.x0, bar.y - 5.0F, bar.x0, bar.y + 6.0F},
        {bar.x0, bar.y, bar.x1, bar.y},
        {bar.x1, bar.y - 5.0F, bar.x1, bar.y + 6.0F},
    }};
    return bar;
}

} // namespace marn
