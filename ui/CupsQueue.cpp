#include "ui/CupsQueue.h"

#include <cups/cups.h>

namespace marn {

namespace {

constexpr const char* StoppedState = "5"; // IPP printer-state "stopped"

QString Option(const cups_dest_t& dest, const char* name)
{
    return QString::fromUtf8(cupsGetOption(name, dest.num_options, dest.options));
}

} // namespace

std::optional<QString> CupsQueueStopped(const QString& queue)
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr);
    if (dest == nullptr)
        return "The print system does not know the printer: " + QString::fromUtf8(cupsLastErrorString());
    const bool stopped = Option(*dest, "printer-state") == StoppedState;
    cupsFreeDests(1, dest);
    if (stopped)
        return QStringLiteral("The printer is stopped or off-line.");
    return std::nullopt;
}

std::optional<QString> CupsLastRefusal()
{
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return std::nullopt;
    return QString::fromUtf8(cupsLastErrorString());
}

} // namespace marn
