// The data-rate analysis window without widgets: a video file's frame sizes read from its
// header and frame-size table (nothing is decoded), the per-frame and moving one-second
// series, the CD-ROM reference lines, the vertical scale, zooming, the frame report and the
// value table. The chart and its window are drawn over this in the desktop.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/file_system.h"

namespace kinet::desk {

enum class RateUnit { kBytesPerSecond, kBytesPerFrame };

inline constexpr const char* kAnalysisLoadError = "Error loading Kinetor file.";
// Said in the window for a file whose header gives no frame rate: without a frame duration
// there are no bytes per second, so such a file is shown per frame with no average.
inline constexpr const char* kNoFrameRateNote =
    "This file has no frame rate: sizes are shown per frame.";

struct RateAnalysis {
  std::string file;          // the name loaded, ".knt" added when it had no extension
  int32_t frames = 0;
  int64_t duration = 0;        // frame duration in 10-microsecond units; 0: no frame rate
  int64_t average_frames = 1;  // frames in the moving average: whole frames per second
  RateUnit unit = RateUnit::kBytesPerSecond;
  std::vector<uint32_t> sizes;  // the frame-size table as stored, frame 1 first
  std::vector<double> values;    // series "Animation", in `unit`
  std::vector<double> averages;  // series "1 second average", in `unit`
  double peak = 0;
  // 1x, 2x and 4x CD-ROM: 80 % of 150000, 300000 and 600000 bytes per second, in `unit`.
  std::array<double, 3> references{};
  std::string note;  // kNoFrameRateNote or empty

  // The chart's title and the window's caption part: the name without its directory.
  std::string Title() const;
};

struct AnalysisLoad {
  std::optional<RateAnalysis> analysis;
  std::string error;  // kAnalysisLoadError, with the reason on a second line
};

// Reads `name` (".knt" added when it has no extension) from `files`. Fails on a missing or
// unreadable file, a wrong signature, and a frame-size table the file cannot hold.
AnalysisLoad LoadRateAnalysis(platform::FileSystem& files, const std::string& name,
                              RateUnit unit);

// The vertical axis maximum: the largest switched-on reference line or the peak, whichever is
// larger, rounded up to a multiple of 1000 (bytes per second) or 500 (bytes per frame). Its
// grid step is a fifth of it.
double AxisMaximum(const RateAnalysis& a, const std::array<bool, 3>& lines_on);

// The frames the horizontal axis shows and the scroll bar that moves them.
struct ChartSpan {
  int32_t first = 1, last = 2;  // axis minimum and maximum
  int32_t width = 2;            // visible width in frames, never below 2
  int32_t scroll_max = 0, large_step = 1;
};
ChartSpan ZoomTo(const ChartSpan& now, int32_t width, int32_t frames);
inline int32_t ZoomedIn(int32_t width) { return width * 3 / 4; }
inline int32_t ZoomedOut(int32_t width) { return (width * 4 + 1) / 3; }
inline int32_t DefaultWidth(int32_t chart_pixels) { return chart_pixels / 35; }
// After a scroll to `position` (the first visible frame).
ChartSpan ScrolledTo(const ChartSpan& now, int32_t position);

// "Frame: f  Size: s  Bytes per second: r" for frame f (1-based); empty for no frame.
std::string FrameReport(const RateAnalysis& a, int32_t frame);

// "Kinetor file: <name>\r\n\r\nFrame\tSize\tBytes per Second\r\n" and a line per frame.
std::string ValueTable(const RateAnalysis& a);

}  // namespace kinet::desk
