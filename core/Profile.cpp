#include "core/Profile.h"

#include "core/TileReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace marn {
namespace {

double Radians(double degrees)
{
    return degrees * Pi / 180.0;
}

double Degrees(double radians)
{
    return radians * 180.0 / Pi;
}

// lon2 - lon1 brought into (-180, 180].
double LongitudeDifference(double lon1, double lon2)
{
    double d = std::fmod(lon2 - lon1, 360.0);
    if (d > 180.0)
        d -= 360.0;
    else if (d <= -180.0)
        d += 360.0;
    return d;
}

std::string ShortestText(double value)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

} // namespace

std::optional<ProfileLine> MakeProfileLine(GeoPoint from, GeoPoint to, std::string& problem)
{
    for (const GeoPoint& p : {from, to}) {
        if (!std::isfinite(p.lat) || !std::isfinite(p.lon) || std::abs(p.lat) > 90.0) {
            problem = "a position needs a latitude from -90 to 90 and a longitude";
            return std::nullopt;
        }
    }
    const double dLon = LongitudeDifference(from.lon, to.lon);
    if (std::abs(dLon) == 180.0 && std::abs(from.lat) != 90.0 && std::abs(to.lat) != 90.0) {
        problem = "a line over a pole cannot be followed";
        return std::nullopt;
    }
    const double phi1 = Radians(from.lat);
    const double phi2 = Radians(to.lat);
    const double sinHalfLat = std::sin((phi2 - phi1) / 2.0);
    const double sinHalfLon = std::sin(Radians(dLon) / 2.0);
    const double a = sinHalfLat * sinHalfLat + std::cos(phi1) * std::cos(phi2) * sinHalfLon * sinHalfLon;
    const double arc = 2.0 * std::atan2(std::sqrt(a), std::sqrt(std::max(0.0, 1.0 - a)));
    ProfileLine line{from, to, Degrees(arc) * KmPerDegree, 0.0};
    if (line.distanceKm <= MinimalDistanceKm) {
        problem = "the start and the end are the same point";
        return std::nullopt;
    }
    if (dLon == 0.0 || std::abs(from.lat) == 90.0 || std::abs(to.lat) == 90.0) {
        // along a meridian: exactly north or south, which DestPoint follows
        // without changing the longitude
        line.bearing = to.lat > from.lat ? 0.0 : 180.0;
        return line;
    }
    // The initial bearing, the plain angle in degrees: computed with the true
    // pi throughout (DestPoint's conversion with its ten-digit pi differs by
    // about 1e-10 of the value, micrometres along the line).
    constexpr double ToRadians = std::numbers::pi / 180.0;
    const double lat1 = from.lat * ToRadians;
    const double lat2 = to.lat * ToRadians;
    const double lonStep = dLon * ToRadians;
    const double y = std::sin(lonStep) * std::cos(lat2);
    const double x = std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(lonStep);
    double bearing = std::atan2(y, x) / ToRadians;
    if (bearing < 0.0)
        bearing += 360.0;
    if (bearing >= 360.0)
        bearing -= 360.0;
    line.bearing = bearing;
    return line;
}

int ProfileIntervals(double distanceKm, int minIntervals)
{
    // a length a rounding above a whole number of node spacings takes no extra interval
    const double byNodes = std::ceil(distanceKm / NodeSpacingKm - 1e-9);
    const double intervals = std::max({1.0, static_cast<double>(minIntervals), byNodes});
    return static_cast<int>(std::min(intervals, static_cast<double>(MaxProfilePoints - 1)));
}

std::vector<ProfileSample> ProfilePositions(const ProfileLine& line, int intervals)
{
    intervals = std::clamp(intervals, 1, MaxProfilePoints - 1);
    std::vector<ProfileSample> samples(static_cast<std::size_t>(intervals) + 1);
    const StartTrig start = TrigOfStart(line.from.lat, line.from.lon);
    const BearingTrig bearing = TrigOfBearing(line.bearing);
    for (int i = 0; i <= intervals; ++i) {
        ProfileSample& s = samples[static_cast<std::size_t>(i)];
        s.distanceKm = line.distanceKm * i / intervals;
        DestPoint(start, bearing, TrigOfDistance(s.distanceKm), s.lat, s.lon);
        if (s.lon > 180.0)
            s.lon -= 360.0;
        else if (s.lon < -180.0)
            s.lon += 360.0;
    }
    return samples;
}

std::int16_t ReadProfileHeights(const DataLocation& data, TileReaderState& reader, std::vector<ProfileSample>& samples)
{
    for (ProfileSample& s : samples) {
        double lon = s.lon;
        std::int16_t height = 0;
        std::int16_t error = 0;
        ReadTileHeight(data, reader, s.lat, lon, height, error);
        if (error != ReadOk && !IsNoDataHere(error))
            return error;
        s.height = error == ReadOk ? height : NoData;
    }
    return ReadOk;
}

ProfileSummary SummariseProfile(const std::vector<ProfileSample>& samples)
{
    ProfileSummary summary;
    if (!samples.empty())
        summary.distanceKm = samples.back().distanceKm;
    const ProfileSample* previous = nullptr;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const ProfileSample& s = samples[i];
        if (s.height == NoData) {
            ++summary.missing;
            previous = nullptr;
            continue;
        }
        if (!summary.lowest || s.height < samples[*summary.lowest].height)
            summary.lowest = i;
        if (!summary.highest || s.height > samples[*summary.highest].height)
            summary.highest = i;
        if (previous != nullptr) {
            const int change = s.height - previous->height;
            (change > 0 ? summary.ascentM : summary.descentM) += std::abs(change);
        }
        previous = &s;
    }
    return summary;
}

std::string ProfileCsv(const std::vector<ProfileSample>& samples)
{
    std::string text = "distance km,latitude,longitude,height m\n";
    for (const ProfileSample& s : samples) {
        char distance[32];
        std::snprintf(distance, sizeof distance, "%.4f", s.distanceKm);
        text += distance;
        text += ',' + ShortestText(s.lat) + ',' + ShortestText(s.lon) + ',';
        if (s.height != NoData)
            text += std::to_string(s.height);
        text += '\n';
    }
    return text;
}

} // namespace marn
