#pragma once
// Draws the coordinate ticks along the picture's edges on Picture1 and places
// the latitude and longitude labels beside them.

#include "picture/CoordinateLabels.h"

#include <QLabel>

#include <array>

namespace marn {

class PictureBox;

struct CoordinateLabelArrays {
    std::array<QLabel*, CoordinateLabelCount>& LabNS;
    std::array<QLabel*, CoordinateLabelCount>& LabEWU;
    std::array<QLabel*, CoordinateLabelCount>& LabEWO;
};

// Computes the labels from the shared state and the labels' own sizes, draws
// every tick in Picture1's foreground colour before its label is shown,
// captioned and placed. Labels that no edge reaches keep their state. Returns
// what was drawn.
CoordinateLabelSet BuildCoordinateLabels(
    const PictureGrid& state, PictureBox& picture1, const CoordinateLabelArrays& labels);

} // namespace marn
