#pragma once
// How many processors this process may run on.

namespace marn {

// The processors in the process's affinity mask (what taskset or a container
// leaves it), at least 1; the machine's count where the mask cannot be read.
int UsableProcessors();

} // namespace marn
