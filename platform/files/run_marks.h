// Which run a partial output belongs to: the process that writes it. A partial output whose
// process has ended was left by a run that was killed, and may go.
#pragma once

#include <cstdint>

namespace kinet::platform {

// The running process's number.
uint32_t ThisRunId();
// True when no process of that number runs any more (a number that cannot be asked about
// counts as running, so nothing of a live run is taken for stale).
bool RunHasEnded(uint32_t id);

}  // namespace kinet::platform
