#include "toolkit/progress_text.h"

#include <algorithm>
#include <cstdio>

namespace kinet::toolkit {

int PercentDone(uint64_t done, uint64_t total) {
  if (total == 0) return 0;
  return static_cast<int>(std::min<uint64_t>(100, std::min(done, total) * 100 / total));
}

std::string ProgressText(uint64_t done, uint64_t total, uint32_t elapsed_ms) {
  std::string text = std::to_string(PercentDone(done, total)) + "% done";
  if (done == 0 || done >= total || elapsed_ms < 1000) return text;
  const uint64_t left_s = (uint64_t{elapsed_ms} * (total - done) / done + 999) / 1000;
  char left[48];
  if (left_s >= 3600) {
    std::snprintf(left, sizeof left, ", %llu:%02u:%02u left",
                  static_cast<unsigned long long>(left_s / 3600),
                  static_cast<unsigned>(left_s / 60 % 60), static_cast<unsigned>(left_s % 60));
  } else {
    std::snprintf(left, sizeof left, ", %u:%02u left", static_cast<unsigned>(left_s / 60),
                  static_cast<unsigned>(left_s % 60));
  }
  return text + left;
}

}  // namespace kinet::toolkit
