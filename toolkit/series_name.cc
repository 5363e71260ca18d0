#include "toolkit/series_name.h"

#include <charconv>
#include <cstdio>

namespace kinet::toolkit {
namespace {

std::optional<uint32_t> ParseNumber(const std::string& text, size_t begin, size_t end) {
  uint32_t value = 0;
  const char* first = text.data() + begin;
  const char* last = text.data() + end;
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last || first == last) return std::nullopt;
  return value;
}

}  // namespace

std::string SeriesName::FileName(uint32_t n) const {
  // The pattern is prefix, "%0<digits>u", suffix.
  char number[16];
  std::snprintf(number, sizeof number, "%0*u", static_cast<int>(digits), n);
  return prefix + number + suffix;
}

std::optional<SeriesName> ParseSeriesName(const std::string& name) {
  const size_t star = name.rfind('*');
  const size_t mark = name.find('?');
  if (star == std::string::npos || mark == std::string::npos || mark > star) return std::nullopt;
  SeriesName series;
  size_t run_end = mark;
  while (run_end < star && name[run_end] == '?') ++run_end;
  series.prefix = name.substr(0, mark);
  series.digits = static_cast<uint32_t>(run_end - mark);
  series.suffix = name.substr(run_end, star - run_end);
  const size_t dash = name.find('-', star);
  auto first = ParseNumber(name, star + 1, dash == std::string::npos ? name.size() : dash);
  auto last = dash == std::string::npos ? first : ParseNumber(name, dash + 1, name.size());
  if (!first || !last || *last < *first || *last - *first == UINT32_MAX || series.digits > 10) {
    return std::nullopt;
  }
  series.first = *first, series.last = *last;
  return series;
}

}  // namespace kinet::toolkit
