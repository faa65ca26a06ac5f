#pragma once
// A height profile along the great circle between two points: the line's
// length and initial bearing, evenly spaced positions on it (each the
// destination that DestPoint gives for the start, the bearing and its
// distance), their heights from the tile reader, the profile's lowest and
// highest point, its ascent and descent, and its CSV text.

#include "core/DataLocation.h"
#include "core/Geodesy.h"
#include "core/TileReaderState.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace marn {

struct GeoPoint {
    double lat = 0.0; // degrees, north positive
    double lon = 0.0; // degrees, east positive
};

// The data's node spacing: 3 seconds of arc, in km (about 92.7 m).
inline constexpr double NodeSpacingKm = 3.0 / 3600.0 * KmPerDegree;
// The most points a profile takes.
inline constexpr int MaxProfilePoints = 1000001;

struct ProfileLine {
    GeoPoint from;
    GeoPoint to;
    double distanceKm = 0.0; // along the shorter great-circle arc, 111.2 km per degree
    double bearing = 0.0;    // initial bearing in degrees, [0, 360); exactly 0 or 180 along a meridian
};

// The line from `from` to `to`, or nullopt with the reason in `problem`: a
// latitude outside -90..90 or a coordinate that is not a number, the same
// point twice, or a line over a pole (its ends half a circle of longitude
// apart), which the destination formula cannot follow past the pole.
std::optional<ProfileLine> MakeProfileLine(GeoPoint from, GeoPoint to, std::string& problem);

// Intervals for a line of distanceKm: at least minIntervals (one per pixel
// of the line on screen, say), and no fewer than one per 3 seconds of arc.
int ProfileIntervals(double distanceKm, int minIntervals = 1);

struct ProfileSample {
    double distanceKm = 0.0;      // from the start
    double lat = 0.0;             // degrees
    double lon = 0.0;             // degrees, within -180..180
    std::int16_t height = NoData; // metres; NoData where the data has none
};

// intervals + 1 positions at distanceKm * i / intervals, i = 0 .. intervals,
// heights not yet read (NoData). A longitude beyond +-180 is brought back by 360.
std::vector<ProfileSample> ProfilePositions(const ProfileLine& line, int intervals);

// Reads every sample's height with ReadTileHeight: a missing tile file (36)
// or a missing node (400) leave NoData. Returns 0, or the first other error
// value (the samples after it are not read).
std::int16_t ReadProfileHeights(const DataLocation& data, TileReaderState& reader, std::vector<ProfileSample>& samples);

struct ProfileSummary {
    double distanceKm = 0.0;
    std::optional<std::size_t> lowest;  // index of the first lowest sample; none when all are missing
    std::optional<std::size_t> highest; // index of the first highest sample
    long ascentM = 0;                   // sum of the rises between neighbouring samples that both have a height
    long descentM = 0;                  // sum of the falls, likewise; nothing is counted across a gap
    std::size_t missing = 0;
};
ProfileSummary SummariseProfile(const std::vector<ProfileSample>& samples);

// "distance km,latitude,longitude,height m", then one line per sample: the
// distance with 4 decimals (0.1 m), latitude and longitude in the shortest
// text that reads back as the same number, the height in whole metres or
// nothing where it is missing. Lines end with "\n".
std::string ProfileCsv(const std::vector<ProfileSample>& samples);

} // namespace marn
