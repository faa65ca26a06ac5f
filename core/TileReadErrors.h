#pragma once
// The error values of the tile reader (16-bit integers). The sampling treats
// ErrTileNotOpened as "no data here" and every other non-zero value as fatal.

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

} // namespace marn
