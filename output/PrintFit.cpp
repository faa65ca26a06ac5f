#include "output/PrintFit.h"

namespace marn {

PageOrientation OrientationFor(double pictureWidth, double pictureHeight)
{
    return pictureHeight >= pictureWidth ? PageOrientation::Portrait : PageOrientation::Landscape;
}

HiMetricSize FitToPrintable(double pictureWidth, double pictureHeight, HiMetricSize printable)
{
    const double pictureRatio = pictureWidth / pictureHeight;
    const float width = static_cast<float>(printable.width);
    const float height = static_cast<float>(printable.height);
    const double printerRatio = static_cast<double>(width) / static_cast<double>(height);
    if (pictureRatio >= printerRatio)
        return {width, width / pictureRatio};
    return {height * pictureRatio, height};
}

} // namespace marn
