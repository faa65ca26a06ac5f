#pragma once
// The error values of the tile reader (16-bit integers). The sampling treats
// a missing tile and a missing node as "no data here" (IsNoDataHere) and every
// other non-zero value as fatal.

#include <cstdint>

namespace marn {

inline constexpr std::int16_t ReadOk = 0;
inline constexpr std::int16_t ErrTileNotOpened = 36; // no such tile file (or not a readable file)
inline constexpr std::int16_t ErrBlockRead = 220;    // the block could not be read whole
inline constexpr std::int16_t ErrLatitude = 300;     // latitude outside -90..90 (or NaN)
inline constexpr std::int16_t ErrNoDataNode = 400;   // one of the four surrounding nodes is NoData
inline constexpr std::int16_t ErrReader = 500;       // overflow, or a longitude that is NaN or infinite
inline constexpr std::int16_t ErrNoDataDrive = 600;  // DataDrive is empty
inline constexpr std::int16_t ErrFileLength = 700;   // the tile file has the wrong length

// A point without a height, not a failure: its tile file is missing, or one of
// the four nodes around it is NoData (a void or the edge of a source's
// coverage). The sampling stores NoData there and goes on.
constexpr bool IsNoDataHere(std::int16_t errorValue)
{
    return errorValue == ErrTileNotOpened || errorValue == ErrNoDataNode;
}

} // namespace marn
