#pragma once
// How a picture goes onto a printed page: the orientation follows the
// picture's shape, and the picture is enlarged or reduced to the largest size
// that fits the printable area with its proportions kept.

#include "ui/PrinterService.h"

namespace marn {

// Portrait when the picture is at least as high as it is wide, else landscape.
PageOrientation OrientationFor(double pictureWidth, double pictureHeight);

// The printed size of a picture on a printable area (both in HiMetric; only
// the picture's ratio counts). The printable sizes are taken in single
// precision. When the picture is relatively wider than the area its width
// fills the area's width, otherwise its height fills the area's height.
HiMetricSize FitToPrintable(double pictureWidth, double pictureHeight, HiMetricSize printable);

} // namespace marn
