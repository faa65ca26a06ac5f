#pragma once
// The height sampling as the steps of ReadGridHeights state it, point by point
// through ReadTileHeight: the reference SampleGridHeightsFast is compared with
// bit for bit in tests and benchmarks (not shipped).

#include "core/SharedState.h"

#include <cstdint>
#include <functional>

namespace marn::test {

// The contract of SampleGridHeightsFast, one point after another on the calling
// thread; uses the tile reader's cache in s.Reader.
std::int16_t SampleGridHeights(SharedState& s, const std::function<void(int row)>& afterRow);

} // namespace marn::test
