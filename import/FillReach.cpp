#include "import/FillReach.h"

#include <algorithm>
#include <cmath>

namespace marn::import {

GridRect FillReach(const std::vector<double>& grid, int rows, int cols, int distance)
{
    int minRow = rows;
    int maxRow = -1;
    int minCol = cols;
    int maxCol = -1;
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            if (std::isnan(grid[static_cast<std::size_t>(row) * cols + col]))
                continue;
            minRow = std::min(minRow, row);
            maxRow = std::max(maxRow, row);
            minCol = std::min(minCol, col);
            maxCol = std::max(maxCol, col);
        }
    }
    if (maxRow < 0)
        return {};
    GridRect rect;
    rect.row0 = std::max(0, minRow - distance);
    rect.col0 = std::max(0, minCol - distance);
    rect.rows = std::min(rows - 1, maxRow + distance) - rect.row0 + 1;
    rect.cols = std::min(cols - 1, maxCol + distance) - rect.col0 + 1;
    return rect;
}

std::vector<double> CopyRect(const std::vector<double>& grid, int cols, const GridRect& rect)
{
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(rect.rows) * rect.cols);
    for (int row = 0; row < rect.rows; ++row) {
        const auto start = grid.begin() + static_cast<std::ptrdiff_t>(rect.row0 + row) * cols + rect.col0;
        values.insert(values.end(), start, start + rect.cols);
    }
    return values;
}

void PasteRect(std::vector<double>& grid, int cols, const GridRect& rect, const std::vector<double>& values)
{
    for (int row = 0; row < rect.rows; ++row) {
        const auto start = values.begin() + static_cast<std::ptrdiff_t>(row) * rect.cols;
        std::copy(
            start, start + rect.cols, grid.begin() + static_cast<std::ptrdiff_t>(rect.row0 + row) * cols + rect.col0);
    }
}

} // namespace marn::import
