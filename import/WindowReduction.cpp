#include "import/WindowReduction.h"

namespace marn::import {

int ReducedCells(int cells, int factor)
{
    return (cells + factor - 1) / factor;
}

int ReductionFactor(long long width, long long height, long long maxCells)
{
    int factor = 1;
    while (static_cast<long long>(ReducedCells(static_cast<int>(width), factor))
               * ReducedCells(static_cast<int>(height), factor)
           > maxCells)
        ++factor;
    return factor;
}

} // namespace marn::import

namespace marn::import {

CellSpan AlignToFactor(CellSpan span, int limit, int factor)
{
    const int wanted = ReducedCells(span.count(), factor) * factor;
    if (wanted > limit)
        return {0, limit / factor * factor - 1};
    span.last = span.first + wanted - 1;
    if (span.last >= limit) {
        span.first -= span.last - (limit - 1);
        span.last = limit - 1;
    }
    return span;
}

} // namespace marn::import
