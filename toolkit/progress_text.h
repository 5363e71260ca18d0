// How far a run is, for the status window's progress bar: the percent done and the text
// beside the bar.
#pragma once

#include <cstdint>
#include <string>

namespace kinet::toolkit {

// Whole percent of `done` out of `total` (0 when `total` is 0), at most 100.
int PercentDone(uint64_t done, uint64_t total);

// "42% done, 1:13 left": the time left is the time so far spread over what remains, in minutes
// and seconds (hours too past an hour); "42% done" alone before anything is done or while the
// run is too young to tell (under a second).
std::string ProgressText(uint64_t done, uint64_t total, uint32_t elapsed_ms);

}  // namespace kinet::toolkit
