#pragma once
// The two sampling grids, dimensioned (0 To C, 0 To R) with the first index
// varying fastest in memory. Index 0 of the column and row dimensions is never
// filled by the sampling; dimensioning fills every element with 0 (fresh
// zeroed memory, see ZeroedMemory.h).

#include "core/ZeroedMemory.h"

#include <cstdint>
#include <vector>

namespace marn {

// Heights in metres, NoData (-9999) where the data set has no height.
class HeightGrid {
public:
    // Discards the earlier contents; valid indices become 0..maxCol, 0..maxRow.
    void dimension(int maxCol, int maxRow)
    {
        maxCol_ = maxCol;
        maxRow_ = maxRow;
        Values fresh;
        fresh.resize(static_cast<std::size_t>(maxCol + 1) * static_cast<std::size_t>(maxRow + 1));
        values_.swap(fresh);
    }
    int maxCol() const { return maxCol_; }
    int maxRow() const { return maxRow_; }
    bool empty() const { return values_.empty(); }
    std::int16_t& operator()(int i, int j) { return values_[index(i, j)]; }
    std::int16_t operator()(int i, int j) const { return values_[index(i, j)]; }
    // Row j: the values of columns 0..maxCol one after another.
    const std::int16_t* row(int j) const { return values_.data() + index(0, j); }
    using Values = std::vector<std::int16_t, ZeroedAllocator<std::int16_t>>;
    const Values& raw() const { return values_; }

private:
    std::size_t index(int i, int j) const
    {
        return static_cast<std::size_t>(j) * static_cast<std::size_t>(maxCol_ + 1) + static_cast<std::size_t>(i);
    }
    int maxCol_ = -1;
    int maxRow_ = -1;
    Values values_;
};

// Element (0, i, j) is the latitude, element (1, i, j) the longitude of grid
// point (i, j), in degrees, as DestPoint returned them (not normalised).
class CoordGrid {
public:
    void dimension(int maxCol, int maxRow)
    {
        maxCol_ = maxCol;
        maxRow_ = maxRow;
        Values fresh;
        fresh.resize(2 * static_cast<std::size_t>(maxCol + 1) * static_cast<std::size_t>(maxRow + 1));
        values_.swap(fresh);
    }
    int maxCol() const { return maxCol_; }
    int maxRow() const { return maxRow_; }
    double& operator()(int k, int i, int j) { return values_[index(k, i, j)]; }
    double operator()(int k, int i, int j) const { return values_[index(k, i, j)]; }

private:
    std::size_t index(int k, int i, int j) const
    {
        return static_cast<std::size_t>(k)
               + 2
                     * (static_cast<std::size_t>(i)
                         + static_cast<std::size_t>(maxCol_ + 1) * static_cast<std::size_t>(j));
    }
    using Values = std::vector<double, ZeroedAllocator<double>>;
    int maxCol_ = -1;
    int maxRow_ = -1;
    Values values_;
};

} // namespace marn
