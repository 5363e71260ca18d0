// The sound tools over whole runs: kinetmixw mixing 60 seconds of 44.1 kHz 16-bit stereo into
// a 640x480 video file of 900 frames (15 per second), and tonworkw converting 10 minutes of it
// to 22050 Hz 8-bit mono and copying it unchanged. Each run writes its output under a
// temporary name and renames it, as the programs do; the counter "x_real_time" is the
// sound's length over the run's time.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "compressor/exact_block_coder.h"
#include "compressor/video_file_writer.h"
#include "lib/core/format.h"
#include "platform/clock/clock.h"
#include "platform/files/file_system.h"
#include "soundtools/kinetmixw/mix_run.h"
#include "soundtools/kinetmixw/mix_settings.h"
#include "soundtools/tonworkw/tone_run.h"
#include "soundtools/tonworkw/tone_settings.h"
#include "toolkit/status_frame.h"

namespace kinet {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kWidth = 640, kHeight = 480, kFrames = 900;

// A face that shows nothing and never cancels.
class QuietFace : public platform::StatusFace {
 public:
  void SetStatus(std::string_view) override {}
  void ShowMessage(platform::MessageIcon, std::string_view, std::string_view) override {}
  bool AskYesNo(std::string_view, std::string_view, bool default_no) override {
    return !default_no;
  }
  platform::FaceEvents Pump() override { return {}; }
  platform::FaceEvents Wait(int) override { return {}; }
  void SetButtonDone() override {}
  bool CanWaitForDone() const override { return false; }
  void Close() override {}
};

std::unique_ptr<toolkit::StatusFrame> QuietFrame(const char* caption) {
  return std::make_unique<toolkit::StatusFrame>(toolkit::StatusFrame::Options{caption, "bench", {}},
                                                nullptr, std::make_unique<QuietFace>());
}

std::string Folder() {
  static const fs::path dir = fs::temp_directory_path() / "kinet-soundtools-bench";
  fs::create_directories(dir);
  return dir.string() + "/";
}

// Frame `f`: a background of bands and a block moving over it.
void Picture(uint32_t f, std::vector<uint8_t>& pixels) {
  pixels.resize(size_t{kWidth} * kHeight);
  for (uint32_t y = 0; y < kHeight; ++y)
    for (uint32_t x = 0; x < kWidth; ++x)
      pixels[size_t{y} * kWidth + x] = static_cast<uint8_t>((x / 40 + y / 30) % 16);
  const uint32_t bx = (f * 7) % (kWidth - 64), by = (f * 3) % (kHeight - 64);
  for (uint32_t y = by; y < by + 64; ++y)
    for (uint32_t x = bx; x < bx + 64; ++x) pixels[size_t{y} * kWidth + x] = 200;
}

// The 640x480 video without sound, written once; frames are made again for each pass, so
// that no more than two pictures are held.
std::string SilentVideo() {
  const std::string path = Folder() + "silent.knt";
  if (fs::exists(path)) return path;
  auto codes_of = [](uint32_t f, std::vector<uint8_t>& cur, std::vector<uint8_t>& prev) {
    std::swap(cur, prev);
    Picture(f, cur);
    return encoder::ChooseExactBlockCodes(cur.data(), f ? prev.data() : nullptr, kWidth, kHeight);
  };
  encoder::VideoFileWriter writer(platform::SystemFileSystem());
  writer.trees().Start();
  std::vector<uint8_t> cur, prev;
  for (uint32_t f = 0; f < kFrames; ++f) {
    const auto codes = codes_of(f, cur, prev);
    writer.trees().AddFrame({codes.data(), cur.data(), kWidth, kWidth / 4, kHeight / 4});
  }
  std::array<uint8_t, 768> palette;
  for (int i = 0; i < 768; ++i) palette[i] = static_cast<uint8_t>(i * 5);
  if (writer.Begin(path, {kWidth, kHeight, -6667, 0, kFrames}) != encoder::WriteStatus::kOk)
    return "";
  for (uint32_t f = 0; f < kFrames; ++f) {
    const auto codes = codes_of(f, cur, prev);
    if (writer.WriteFrame({codes.data(), cur.data(), kWidth, kWidth / 4, kHeight / 4},
                          palette.data(), f == 0) != encoder::WriteStatus::kOk)
      return "";
  }
  return writer.Finish() == encoder::WriteStatus::kOk ? path : "";
}

// A WAV file of `seconds` of 44.1 kHz 16-bit stereo: two tones and a little noise.
std::string Tune(uint32_t seconds) {
  const std::string path = Folder() + "tune" + std::to_string(seconds) + ".wav";
  if (fs::exists(path)) return path;
  const uint32_t frames = 44100 * seconds, data = frames * 4;
  std::vector<uint8_t> bytes(44 + size_t{data});
  std::memcpy(bytes.data(), "RIFF", 4);
  StoreLe32(&bytes[4], data + 36);
  std::memcpy(&bytes[8], "WAVEfmt ", 8);
  StoreLe32(&bytes[16], 16);
  StoreLe16(&bytes[20], 1);
  StoreLe16(&bytes[22], 2);
  StoreLe32(&bytes[24], 44100);
  StoreLe32(&bytes[28], 176400);
  StoreLe16(&bytes[32], 4);
  StoreLe16(&bytes[34], 16);
  std::memcpy(&bytes[36], "data", 4);
  StoreLe32(&bytes[40], data);
  uint32_t noise = 1;
  for (uint32_t i = 0; i < frames; ++i) {
    noise = noise * 1103515245 + 12345;
    const int n = static_cast<int>(noise >> 24) - 128;
    StoreLe16(&bytes[44 + 4 * size_t{i}],
              static_cast<uint16_t>(int(9000 * std::sin(i * 0.021)) + n));
    StoreLe16(&bytes[46 + 4 * size_t{i}],
              static_cast<uint16_t>(int(7000 * std::sin(i * 0.034)) + n));
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return "";
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok ? path : "";
}

void BM_MixSixtySeconds(benchmark::State& state) {
  const std::string video = SilentVideo(), tune = Tune(60);
  if (video.empty() || tune.empty()) return state.SkipWithError("no input files");
  const std::vector<std::string> words = {video, tune, Folder() + "mixed.knt", "/O",
                                          "/L" + std::to_string(state.range(0))};
  for (auto _ : state) {
    auto frame = QuietFrame("KinetMix");
    toolkit::SwitchLine line(words, mix::SwitchTable());
    if (mix::RunMixOn(*frame, line, platform::SystemFileSystem(), platform::SystemClock()) != 0)
      return state.SkipWithError("the mix failed");
  }
  state.counters["x_real_time"] =
      benchmark::Counter(60.0 * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["out_MB"] = fs::file_size(Folder() + "mixed.knt") / 1e6;
}
BENCHMARK(BM_MixSixtySeconds)
    ->ArgName("level")
    ->Arg(0)
    ->Arg(9)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_ConvertTenMinutes(benchmark::State& state) {
  const std::string tune = Tune(600);
  if (tune.empty()) return state.SkipWithError("no input file");
  std::vector<std::string> words = {tune, Folder() + "converted.wav", "/O"};
  if (state.range(0)) words.insert(words.end(), {"/R22050", "/B8", "/C1"});
  for (auto _ : state) {
    auto frame = QuietFrame("Sound Processor");
    toolkit::SwitchLine line(words, tone::SwitchTable());
    if (tone::RunToneOn(*frame, line, platform::SystemFileSystem(), platform::SystemClock()) != 0)
      return state.SkipWithError("the conversion failed");
  }
  state.counters["x_real_time"] =
      benchmark::Counter(600.0 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ConvertTenMinutes)
    ->ArgName("to_22k_8bit_mono")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(2);

}  // namespace
}  // namespace kinet
