#pragma once
// Registers the raster drivers once and, while an instance lives, keeps GDAL's
// own messages off the terminal; failures are reported through ImportError with
// GDAL's last message instead. GDAL keeps its message handlers and its last
// message per thread, so every thread that calls GDAL holds an instance.

#include <string>

namespace marn::import {

class GdalSession {
public:
    GdalSession();
    ~GdalSession();
    GdalSession(const GdalSession&) = delete;
    GdalSession& operator=(const GdalSession&) = delete;
};

// GDAL's last error message, or `fallback` when it has none.
std::string LastGdalMessage(const std::string& fallback);

} // namespace marn::import
