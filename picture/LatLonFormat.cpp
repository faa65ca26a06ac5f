#include "picture/LatLonFormat.h"

#include "core/Single.h"
#include "picture/DigitPatterns.h"

#include <cmath>
#include <stdexcept>

namespace marn {
namespace {

// One coordinate as degrees, minutes and the seconds text, the carries done.
struct Dms {
    int degrees = 0;
    int minutes = 0;
    std::string seconds;
};

Dms ToDms(double magnitude)
{
    Dms dms;
    dms.degrees = static_cast<int>(std::floor(magnitude));
    const double minutes = (magnitude - dms.degrees) * 60.0;
    dms.minutes = static_cast<int>(std::floor(minutes));
    auto seconds = Single((minutes - dms.minutes) * 60.0);
    if (seconds >= 60.0F) {
        seconds -= 60.0F;
        ++dms.minutes;
    }
    dms.seconds = FormatSinglePattern(seconds, "00.0");
    if (dms.seconds == "60.0") {
        dms.seconds = "00.0";
        ++dms.minutes;
    }
    if (dms.minutes >= 60) {
        dms.minutes -= 60;
        ++dms.degrees;
    }
    return dms;
}

std::string DmsText(double value, const char* degreePattern, char positive, char negative)
{
    if (!std::isfinite(value)) {
        throw std::invalid_argument("a coordinate to be shown is not a finite number");
    }
    const bool below = value < 0.0;
    const Dms dms = ToDms(below ? -value : value);
    return FormatPattern(dms.degrees, degreePattern) + "° " + FormatPattern(dms.minutes, "00") + "' " + dms.seconds
           + "\" " + (below ? negative : positive);
}

} // namespace

std::string FormatLatLon(double lat, double lon)
{
    return DmsText(lat, "00", 'N', 'S') + "  " + DmsText(lon, "000", 'E', 'W');
}

} // namespace marn
