#include "frontend/core/rate_analysis.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "frontend/core/page_names.h"
#include "platform/files/input_file.h"

namespace kinet::desk {
namespace {

constexpr uint32_t kSignature = 0x32544E4B;  // "KNT2"
constexpr uint64_t kTableOffset = 104;
constexpr size_t kTableBlock = 512;  // entries read at a time

uint32_t Le32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

AnalysisLoad Failed(const std::string& reason) {
  return {std::nullopt, std::string(kAnalysisLoadError) + "\n" + reason};
}

// The frame duration of a FrameRate field: milliseconds when positive, 10-microsecond units
// negated when negative, none when 0.
int64_t DurationOf(int32_t rate) { return rate > 0 ? int64_t{rate} * 100 : -int64_t{rate}; }

// Size and bytes per second of a shown value, as the frame report and the table give them.
std::pair<int64_t, int64_t> SizeAndRate(const RateAnalysis& a, double y) {
  if (a.unit == RateUnit::kBytesPerSecond)
    return {static_cast<int64_t>(y * double(a.duration) * 0.00001), static_cast<int64_t>(y)};
  const double rate = a.duration > 0 ? y * 100000 / double(a.duration) : 0;
  return {static_cast<int64_t>(y), static_cast<int64_t>(rate)};
}

}  // namespace

std::string RateAnalysis::Title() const { return BaseName(file); }

AnalysisLoad LoadRateAnalysis(platform::FileSystem& files, const std::string& name,
                              RateUnit unit) {
  RateAnalysis a;
  a.file = WithDefaultExtension(name, ".knt");
  platform::InputFile in;
  if (!in.Open(files, a.file)) return Failed(a.file + " cannot be opened.");
  uint8_t header[kTableOffset];
  if (in.Read(header, sizeof header) != sizeof header || Le32(header) != kSignature)
    return Failed(a.file + " is not a Kinetor file.");
  a.frames = static_cast<int32_t>(Le32(header + 12));
  const int64_t size = in.Size();
  if (a.frames < 0 || (size >= 0 && kTableOffset + 4 * uint64_t(a.frames) > uint64_t(size)))
    return Failed("Its table of " + std::to_string(a.frames) + " frame sizes does not fit in its " +
                  std::to_string(size) + " bytes: the file is cut short or damaged.");
  a.duration = DurationOf(static_cast<int32_t>(Le32(header + 16)));
  a.unit = a.duration > 0 ? unit : RateUnit::kBytesPerFrame;
  if (a.duration == 0) a.note = kNoFrameRateNote;
  a.average_frames = a.duration > 0 ? std::max<int64_t>(100000 / a.duration, 1) : 1;
  const double per_second = a.duration > 0 ? 100000.0 / double(a.duration) : 0;
  const std::array<double, 3> cd_rom = {120000, 240000, 480000};
  for (size_t i = 0; i < 3; ++i)
    a.references[i] = a.unit == RateUnit::kBytesPerSecond ? cd_rom[i] : cd_rom[i] / per_second;

  // The sliding window of the newest frame sizes; the first frame never enters the average.
  std::deque<uint32_t> window;
  int64_t sum = 0;
  uint8_t block[4 * kTableBlock];
  while (a.sizes.size() < size_t(a.frames)) {
    const size_t want = std::min(kTableBlock, size_t(a.frames) - a.sizes.size());
    if (in.Read(block, 4 * want) != 4 * want) return Failed(a.file + " cannot be read.");
    for (size_t k = 0; k < want; ++k) {
      const uint32_t s = Le32(block + 4 * k);
      const uint32_t counted = a.sizes.empty() ? 0 : s;
      a.sizes.push_back(s);
      if (window.size() == size_t(a.average_frames)) {
        sum -= window.back();
        window.pop_back();
      }
      window.push_front(counted);
      sum += counted;
      const int64_t average = sum / int64_t(window.size());
      const bool rate = a.unit == RateUnit::kBytesPerSecond;
      a.values.push_back(rate ? double(s) * per_second : double(s));
      a.averages.push_back(rate ? double(average) * per_second : double(average));
      a.peak = std::max(a.peak, a.values.back());
    }
  }
  return {std::move(a), ""};
}

double AxisMaximum(const RateAnalysis& a, const std::array<bool, 3>& lines_on) {
  double x = 0;
  for (size_t i = 0; i < 3; ++i)
    if (lines_on[i]) x = std::max(x, a.references[i]);
  x = std::max(x, a.peak);
  const double t = std::trunc(x * 0.2 + 0.5);
  if (a.unit == RateUnit::kBytesPerSecond) return std::trunc((t * 5 + 999) * 0.001) * 1000;
  return std::trunc((t * 5 + 499) * 0.002) * 500;
}

ChartSpan ZoomTo(const ChartSpan& now, int32_t width, int32_t frames) {
  ChartSpan s = now;
  s.width = std::max(width, 2);
  if (int64_t{s.first} + s.width <= frames) {
    s.last = s.first + s.width;
  } else {
    s.last = frames;
    s.first = std::max(frames - s.width, 1);
    s.width = s.last - s.first;
  }
  s.large_step = s.width - 1;
  s.scroll_max = std::max(frames - s.width, 0);
  return s;
}

ChartSpan ScrolledTo(const ChartSpan& now, int32_t position) {
  ChartSpan s = now;
  s.first = position;
  s.last = position + s.width;
  return s;
}

std::string FrameReport(const RateAnalysis& a, int32_t frame) {
  if (frame < 1 || size_t(frame) > a.values.size()) return "";
  const auto [size, rate] = SizeAndRate(a, a.values[size_t(frame) - 1]);
  return "Frame: " + std::to_string(frame) + "  Size: " + std::to_string(size) +
         "  Bytes per second: " + std::to_string(rate);
}

std::string ValueTable(const RateAnalysis& a) {
  std::string text = "Kinetor file: " + a.file + "\r\n\r\nFrame\tSize\tBytes per Second\r\n";
  text.reserve(a.values.size() * 24 + 80);
  for (size_t i = 0; i < a.values.size(); ++i) {
    const auto [size, rate] = SizeAndRate(a, a.values[i]);
    text += std::to_string(i + 1) + "\t" + std::to_string(size) + "\t" + std::to_string(rate) +
            "\r\n";
  }
  return text;
}

}  // namespace kinet::desk
