#pragma once
// The bilinear step of the tile reader: the height at a located point from the
// four nodes around it in the point's block. Shared by every way of reading
// tiles, so all of them give the same heights bit for bit.

#include "core/TileLocation.h"

#include <cstdint>

namespace marn {

// block: the decoded nodes of the point's block, latitude row by row, each row
//        the nodes from west to east (101 or 51 of them, after at.name.kind).
// Returns 0 with height set, 400 when one of the four nodes is NoData, or 500
// when a difference of two nodes or the result does not fit 16 bits; height
// is left alone on failure.
std::int16_t InterpolateInBlock(const std::int16_t* block, const TileLocation& at, std::int16_t& height);

// The south-west node of the pair around a located point: its longitude index
// and latitude row inside the point's block (the last node of a row or block
// steps back one, so that the pair always lies inside the block).
struct NodeIndex {
    int lon = 0;
    int lat = 0;
};
NodeIndex SouthWestNode(const TileLocation& at);

} // namespace marn
