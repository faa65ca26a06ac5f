#pragma once
// Coordinates as degrees, minutes and seconds with one decimal, the text of the
// mouse readout: 47° 30' 45.0" N  007° 15' 00.0" W

#include <string>

namespace marn {

// Latitude: degrees "00", minutes "00", seconds "00.0" (held in single
// precision), hemisphere N or S, then two blanks; longitude likewise with
// degrees "000", hemisphere E or W and no trailing blanks. Seconds that round
// to 60.0 carry into the minutes, minutes of 60 into the degrees. The
// longitude is shown as given (180.2 reads 180° 12' 00.0" E). The decimal
// separator is always ".". Throws std::invalid_argument for a coordinate that
// is not a finite number.
std::string FormatLatLon(double lat, double lon);

} // namespace marn
