#include "toolkit/run_inputs.h"

#include <algorithm>
#include <cctype>

namespace kinet::toolkit {
namespace {

// Stands where a series' number goes while its prefix and suffix are made full paths; no
// file name holds it.
constexpr char kNumberMark = '\x01';

}  // namespace

std::unique_ptr<platform::File> RunInputs::Open(const std::string& path, platform::OpenMode mode) {
  std::unique_ptr<platform::File> file = files_.Open(path, mode);
  if (file && mode == platform::OpenMode::kRead) {
    paths_.insert(files_.FullPath(path));
    if (const auto identity = file->Identity()) identities_.push_back(*identity);
  }
  return file;
}

void RunInputs::AddSeries(std::span<const SeriesName> series) {
  for (const SeriesName& s : series) {
    const std::string full = files_.FullPath(s.prefix + kNumberMark + s.suffix);
    const size_t mark = full.find(kNumberMark);
    if (mark != std::string::npos) series_.push_back({full.substr(0, mark), full.substr(mark + 1), s});
  }
}

bool RunInputs::Holds(const std::string& name) {
  const std::string full = files_.FullPath(name);
  if (paths_.count(full)) return true;
  if (const auto identity = files_.Identity(name);
      identity && std::find(identities_.begin(), identities_.end(), *identity) != identities_.end())
    return true;
  for (const Pattern& p : series_) {
    if (full.size() <= p.before.size() + p.after.size() || !full.starts_with(p.before) ||
        !full.ends_with(p.after))
      continue;
    const std::string number =
        full.substr(p.before.size(), full.size() - p.before.size() - p.after.size());
    if (number.size() > 10 ||
        !std::all_of(number.begin(), number.end(), [](unsigned char c) { return std::isdigit(c); }))
      continue;
    const uint64_t n = std::stoull(number);
    if (n >= p.series.first && n <= p.series.last &&
        p.series.FileName(static_cast<uint32_t>(n)) == p.series.prefix + number + p.series.suffix)
      return true;
  }
  return false;
}

}  // namespace kinet::toolkit
