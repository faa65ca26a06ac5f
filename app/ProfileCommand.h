#pragma once
// marn profile: the heights along the great circle between two points, with
// their summary, as CSV and as a plot. The summary and the CSV need neither
// the window toolkit nor GDAL; the plot is drawn by marn-profile, which marn
// runs in its place when --png is given.

#include "core/Profile.h"

#include <string>
#include <vector>

namespace marn::cli {

// Draws the profile into a PNG file; returns false with the reason in `error`.
using ProfilePngWriter = bool (*)(
    const std::string& path, const ProfileLine& line, const std::vector<ProfileSample>& samples, std::string& error);

// Runs the command. Without a writer, a request for --png runs marn-profile.
int RunProfile(const std::vector<std::string>& args, ProfilePngWriter png = nullptr);

} // namespace marn::cli
