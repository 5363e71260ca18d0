#include "toolkit/knt_report.h"

#include "lib/core/format.h"

namespace kinet::info {

void PrintHeader(std::FILE* out, const KinetHandle& h) {
  const uint32_t mode = h.OpenFlags & KINET_OPEN_Y_NORMAL;
  std::fprintf(out, "Size:        %u x %u%s\n", h.Width, h.Height,
               mode == KINET_OPEN_Y_INTERLACED ? " (Y-interlaced)"
               : mode == KINET_OPEN_Y_DOUBLED  ? " (Y-doubled)"
                                               : "");
  std::fprintf(out, "Frames:      %u%s\n", h.Frames,
               (h.Flags & KINET_FLAG_RING_FRAME) ? " and a ring frame" : "");
  if (h.FrameRate > 0)
    std::fprintf(out, "Frame rate:  %d ms per frame (%.3f frames per second)\n", h.FrameRate,
                 1000.0 / h.FrameRate);
  else if (h.FrameRate < 0)  // minus the period, which INT32_MIN stretches one past INT32_MAX
    std::fprintf(out, "Frame rate:  %u0 us per frame (%.3f frames per second)\n",
                 FramePeriod(h.FrameRate), 100000.0 / FramePeriod(h.FrameRate));
  else
    std::fprintf(out, "Frame rate:  unpaced\n");
  std::fprintf(out, "Trees:       %u bytes; decoded mono-map %u, mono-colour %u, full %u, type %u\n",
               h.TreeSize, h.MMapSize, h.MClrSize, h.FullSize, h.TypeSize);
  for (int t = 0; t < KINET_TRACKS; ++t) {
    const uint32_t rate = h.AudioRate[t];
    if (!(rate & KINET_AUDIO_PRESENT) || !(rate & KINET_AUDIO_RATE_MASK)) continue;
    std::fprintf(out, "Track %d:     %u Hz, %s, %s, %s, at most %u bytes a frame\n", t + 1,
                 rate & KINET_AUDIO_RATE_MASK, (rate & KINET_AUDIO_16BIT) ? "16-bit" : "8-bit",
                 (rate & KINET_AUDIO_STEREO) ? "stereo" : "mono",
                 (rate & KINET_AUDIO_COMPRESSED) ? "compressed" : "raw", h.AudioSize[t]);
  }
}

namespace {

// The read rates of CD-ROM drives (single to sixfold speed) that a file's busiest second is
// weighed against, in KB (1024 bytes) per second.
constexpr uint32_t kDriveRates[] = {150, 300, 600, 900};

// Duration, average data rate and the busiest second against the drive rates; nothing of the
// first two for an unpaced file.
void PrintRates(std::FILE* out, const KinetSummaryRecord& s, uint32_t frames) {
  if (s.FramePeriod) {
    const uint64_t ms = uint64_t{frames} * s.FramePeriod / 100;
    std::fprintf(out, "Duration:    %llu.%03llu seconds\n", static_cast<unsigned long long>(ms / 1000),
                 static_cast<unsigned long long>(ms % 1000));
    std::fprintf(out, "Data rate:   %llu bytes per second on average\n",
                 static_cast<unsigned long long>(uint64_t{s.AverageFrameSize} * 100000 /
                                                 s.FramePeriod));
  }
  std::fprintf(out, "Busiest second: %u bytes from frame %u\n", s.BusiestSecond,
               s.BusiestSecondFrame);
  std::fprintf(out, "  of drive rates:");
  for (const uint32_t kb : kDriveRates) {
    const uint64_t rate = uint64_t{kb} * 1024;
    std::fprintf(out, "%s %llu%% of %u KB/s", kb == kDriveRates[0] ? "" : ",",
                 static_cast<unsigned long long>((uint64_t{s.BusiestSecond} * 100 + rate / 2) / rate),
                 kb);
  }
  std::fputc('\n', out);
}

}  // namespace

void PrintSummary(std::FILE* out, const KinetSummaryRecord& s, uint32_t frames, bool played) {
  std::fprintf(out, "Open time:   %u ms\n", s.OpenTime);
  std::fprintf(out, "Average frame record: %u bytes\n", s.AverageFrameSize);
  PrintRates(out, s, frames);
  std::fprintf(out, "Read-ahead:  %u bytes%s, peak held %u\n", s.ReadAheadSize,
               s.ReadAheadSize ? "" : " (preloaded)", s.ReadAheadPeak);
  std::fprintf(out, "Peak memory: %u bytes\n", s.PeakMemory);
  if (!s.FramesDone) return;
  std::fprintf(out, "Decoded:     %u frames in %u ms (reading %u ms, copying %u ms)\n",
               s.FramesDone, s.DecodeTime, s.ReadTime, s.CopyTime);
  if (played)
    std::fprintf(out, "Played:      %u ms, %u frames skipped, %u sound underruns\n", s.PlayTime,
                 s.FramesSkipped, s.SoundUnderruns);
  std::fprintf(out, "Slowest:     frame %u (%u ms), then frame %u (%u ms)\n", s.SlowestFrame,
               s.SlowestTime, s.SecondSlowestFrame, s.SecondSlowestTime);
  if (played) std::fprintf(out, "Read speed:  %u bytes per second\n", s.ReadSpeed);
}

void PrintFrameLine(std::FILE* out, const KinetHandle& h, uint8_t type) {
  std::fprintf(out, "%6u %8u %6u %s", h.FrameNum + 1, h.FrameSize, h.PreVideoSize,
               (type & KINET_FRAME_PALETTE) ? "palette" : "-");
  for (int t = 0; t < KINET_TRACKS; ++t)
    if (type & KINET_FRAME_AUDIO(t)) std::fprintf(out, " sound%d", t + 1);
  std::fputc('\n', out);
}

}  // namespace kinet::info
