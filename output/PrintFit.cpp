#include "output/PrintFit.h"

#include "core/Single.h"

namespace marn {

PageOrientation OrientationFor(double pictureWidth, double pictureHeight)
{
    return pictureHeight >= pictureWidth ? PageOrientation::Portrait : PageOrientation::Landscape;
}

HiMetricSize FitToPrintable(double pictureWidth, double pictureHeight, HiMetricSize printable)
{
    const double pictureRatio = pictureWidth / pictureHeight;
    const float width = Single(printable.width);
    const float height = Single(printable.height);
    const double printerRatio = static_cast<double>(width) / static_cast<double>(height);
    if (pictureRatio >= printerRatio)
        return {width, width / pictureRatio};
    return {height * pictureRatio, height};
}

} // namespace marn
