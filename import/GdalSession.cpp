#include "import/GdalSession.h"

#include <cpl_error.h>
#include <gdal.h>

#include <mutex>

namespace marn::import {

GdalSession::GdalSession()
{
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
    CPLPushErrorHandler(CPLQuietErrorHandler);
}

GdalSession::~GdalSession()
{
    CPLPopErrorHandler();
}

std::string LastGdalMessage(const std::string& fallback)
{
    const char* message = CPLGetLastErrorMsg();
    if (message == nullptr || *message == '\0')
        return fallback;
    std::string text = message;
    for (char& c : text) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return text;
}

} // namespace marn::import
