#include "toolkit/elapsed_time.h"

namespace kinet::toolkit {
namespace {

// "n unit" with the plural "s" unless n is 1.
std::string Count(uint32_t n, const char* unit) {
  return std::to_string(n) + " " + unit + (n == 1 ? "" : "s");
}

}  // namespace

std::string FormatElapsed(uint32_t ms) {
  if (ms < 1000) return Count(ms, "millisecond");
  if (ms < 60000) return Count(ms / 1000, "second");
  if (ms < 3600000) return Count(ms / 60000, "minute") + " " + Count(ms % 60000 / 1000, "second");
  return Count(ms / 3600000, "hour") + " " + Count(ms % 3600000 / 60000, "minute");
}

}  // namespace kinet::toolkit
