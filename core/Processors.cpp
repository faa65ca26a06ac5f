#include "core/Processors.h"

#include <sched.h>

#include <algorithm>
#include <thread>

namespace marn {

int UsableProcessors()
{
    cpu_set_t cpus;
    CPU_ZERO(&cpus);
    if (sched_getaffinity(0, sizeof cpus, &cpus) == 0 && CPU_COUNT(&cpus) > 0)
        return CPU_COUNT(&cpus);
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

} // namespace marn
