#pragma once
// Numbers become text through the digit patterns of the viewer:
//   "####0"  heights                      "00"   degrees and minutes
//   "###0"   class limits, km, readout    "000"  longitude degrees
//   "##0"    percentages                  "00.0" seconds
// A '0' is a digit that is always written (padding with zeros), a '#' a digit
// written only when the number needs it; the digits after a '.' fix the number
// of decimals. Rounding to those decimals goes half away from zero on the
// number's decimal digits, and a negative sign is kept ("-03" for -3 with "00").
// A negative number that rounds to zero is written without its sign ("0").
// The decimal separator is always "." whatever the environment's locale is.

#include <string>
#include <string_view>

namespace marn {

// Formats a double-precision value; its decimal digits are taken to 15
// significant places before the rounding, so 2.675 with "0.00" gives "2.68".
// Throws std::invalid_argument for a pattern made of anything but '#', '0'
// and one '.', and for a value that is not a finite number.
std::string FormatPattern(double value, std::string_view pattern);

// Formats a single-precision value: its decimal digits are taken to 7
// significant places, as a single is written, before the rounding
// (12.45f with "00.0" gives "12.5"). Same patterns and errors as FormatPattern.
std::string FormatSinglePattern(float value, std::string_view pattern);

} // namespace marn
