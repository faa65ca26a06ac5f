#pragma once
// What the CUPS scheduler tells about a print queue and a print job beyond
// what the toolkit's printer list shows.

#include <QString>

#include <optional>

namespace marn {

// Why the queue would hold a job instead of printing it (stopped, off-line);
// nothing when it prints. Also clears the scheduler error of this thread.
std::optional<QString> CupsQueueStopped(const QString& queue);

// The scheduler's refusal of this thread's last request since the last
// CupsQueueStopped (such as the toolkit handing over a print job); nothing
// when it was accepted.
std::optional<QString> CupsLastRefusal();

} // namespace marn
