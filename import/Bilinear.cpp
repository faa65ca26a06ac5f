#include "import/Bilinear.h"

#include <cmath>
#include <limits>

namespace marn::import {

namespace {

constexpr double CentreTolerance = 1e-6;
constexpr double Missing = std::numeric_limits<double>::quiet_NaN();

double SnapToCentre(double position)
{
    const double nearest = std::round(position);
    return std::abs(position - nearest) < CentreTolerance ? nearest : position;
}

} // namespace

double CellWindow::at(int col, int row) const
{
    if (col < 0 || row < 0 || col >= width || row >= height)
        return Missing;
    return values[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(col)];
}

double SampleBilinear(const CellWindow& window, double u, double v)
{
    u = SnapToCentre(u);
    v = SnapToCentre(v);
    if (!(u >= -0.5 && u < window.width - 0.5 && v >= -0.5 && v < window.height - 0.5))
        return Missing;
    if (std::isnan(window.at(static_cast<int>(std::floor(u + 0.5)), static_cast<int>(std::floor(v + 0.5)))))
        return Missing;
    const int col = static_cast<int>(std::floor(u));
    const int row = static_cast<int>(std::floor(v));
    const double tu = u - col;
    const double tv = v - row;
    const double weights[4] = {(1 - tu) * (1 - tv), tu * (1 - tv), (1 - tu) * tv, tu * tv};
    const double values[4] = {
        window.at(col, row), window.at(col + 1, row), window.at(col, row + 1), window.at(col + 1, row + 1)};
    double sum = 0.0;
    double weightSum = 0.0;
    for (int i = 0; i < 4; ++i) {
        if (weights[i] == 0.0 || std::isnan(values[i]))
            continue;
        sum += weights[i] * values[i];
        weightSum += weights[i];
    }
    return weightSum == 1.0 ? sum : sum / weightSum;
}

} // namespace marn::import
