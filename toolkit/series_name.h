// Numbered series of picture files: a name with a run of '?' and a star suffix with the
// numbers, such as "Exam???.BMP*1-149" for Exam001.BMP to Exam149.BMP ("*7" alone names one
// file). The '?' run becomes the number, zero-padded to as many digits as there are '?'.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kinet::toolkit {

struct SeriesName {
  std::string prefix, suffix;  // around the '?' run
  uint32_t digits = 0;         // length of the '?' run
  uint32_t first = 0, last = 0;

  uint32_t count() const { return last - first + 1; }
  // The file of number `n`.
  std::string FileName(uint32_t n) const;
};

// Nothing when `name` is not a series: no '?' run, no star suffix with numbers, or a last
// number below the first.
std::optional<SeriesName> ParseSeriesName(const std::string& name);

}  // namespace kinet::toolkit
