#include "picture/BuildCoordinateLabels.h"

#include "ui/NearestPixel.h"
#include "ui/PictureBox.h"

#include <vector>

namespace marn {
namespace {

CoordinateLabelSizes OwnSizes(const CoordinateLabelArrays& labels)
{
    CoordinateLabelSizes sizes;
    for (std::size_t i = 0; i < CoordinateLabelCount; ++i) {
        sizes.LabEWUWidth[i] = static_cast<float>(labels.LabEWU[i]->width());
        sizes.LabEWOWidth[i] = static_cast<float>(labels.LabEWO[i]->width());
        sizes.LabEWOHeight[i] = static_cast<float>(labels.LabEWO[i]->height());
    }
    return sizes;
}

void DrawEdge(
    const std::vector<CoordinateLabel>& edge, std::array<QLabel*, CoordinateLabelCount>& labels, PictureBox& picture1)
{
    for (const CoordinateLabel& item : edge) {
        picture1.Line(item.tickX1, item.tickY1, item.tickX2, item.tickY2);
        QLabel* label = labels.at(static_cast<std::size_t>(item.index));
        label->setVisible(true);
        label->setText(QString::fromStdString(item.caption));
        label->move(NearestPixel(item.left), NearestPixel(item.top));
    }
}

} // namespace

CoordinateLabelSet BuildCoordinateLabels(
    const PictureGrid& state, PictureBox& picture1, const CoordinateLabelArrays& labels)
{
    const CoordinateLabelSet set = ComputeCoordinateLabels(LabelInputsFrom(state, OwnSizes(labels)));
    DrawEdge(set.LabNS, labels.LabNS, picture1);
    DrawEdge(set.LabEWU, labels.LabEWU, picture1);
    DrawEdge(set.LabEWO, labels.LabEWO, picture1);
    return set;
}

} // namespace marn
