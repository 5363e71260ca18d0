#include "platform/files/run_marks.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace kinet::platform {

uint32_t ThisRunId() { return static_cast<uint32_t>(::getpid()); }

bool RunHasEnded(uint32_t id) {
  if (id == 0 || id > INT_MAX) return false;
  return ::kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH;
}

}  // namespace kinet::platform
