// kntsample: writes a generated sample animation as a video file, every block coded exactly.
//
//   kntsample out.knt [/W<width>] [/H<height>] [/N<frames>] [/R<ms per frame>]
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "compressor/animation_writer.h"
#include "compressor/sound_track_encoder.h"
#include "platform/program_info/program_info.h"
#include "toolkit/status_frame.h"
#include "toolkit/switches.h"
#include "tools/kntsample/sample_animation.h"
#include "tools/kntsample/sample_sound.h"

namespace {

using namespace kinet;

constexpr char kUsage[] =
    "Usage: kntsample out.knt [/W<width>] [/H<height>] [/N<frames>] [/R<ms per frame>] [/Q]\n"
    "  defaults: 320 x 200, 60 frames, 66 ms per frame, with a tune (/Q: quiet)\n";

// The tune, handed to the sound track as it asks.
class TuneSupply : public encoder::PcmSupply {
 public:
  explicit TuneSupply(std::vector<uint8_t> pcm) : pcm_(std::move(pcm)) {}
  size_t Read(uint8_t* out, size_t wanted) override {
    const size_t n = std::min(wanted, pcm_.size() - at_);
    std::memcpy(out, pcm_.data() + at_, n);
    at_ += n;
    return n;
  }
  bool Rewind() override {
    at_ = 0;
    return true;
  }

 private:
  std::vector<uint8_t> pcm_;
  size_t at_ = 0;
};

constexpr toolkit::KnownSwitch kSwitches[] = {{'W', toolkit::SwitchKind::kNumber},
                                              {'H', toolkit::SwitchKind::kNumber},
                                              {'N', toolkit::SwitchKind::kNumber},
                                              {'R', toolkit::SwitchKind::kNumber},
                                              {'Q', toolkit::SwitchKind::kFlag}};

}  // namespace

int main(int argc, char** argv) {
  const std::string_view usage[] = {kUsage};
  if (const auto status = platform::AnswerInfoRequest(argc, argv, {"kntsample", usage}))
    return *status;
  std::vector<std::string> words(argv + 1, argv + argc);
  toolkit::SwitchLine line(words, kSwitches);
  const int32_t width = line.TakeNumber('W').value_or(320);
  const int32_t height = line.TakeNumber('H').value_or(200);
  const int32_t frames = line.TakeNumber('N').value_or(60);
  const int32_t rate = line.TakeNumber('R').value_or(66);
  const bool quiet = line.TakeFlag('Q');
  if (line.HasLeftover() || line.names().size() != 1 || width < 4 || height < 4 || width > 4096 ||
      height > 4096 || frames < 1 || frames > 10000 || rate < 1 || rate > 10000) {
    if (const std::string word = line.NotUnderstood(1); !word.empty())
      std::fprintf(stderr, "Not understood: %s\n", word.c_str());
    std::fputs(kUsage, stderr);
    return toolkit::kExitUsage;
  }
  encoder::AnimationSettings settings;
  settings.width = static_cast<uint32_t>(width);
  settings.height = static_cast<uint32_t>(height);
  settings.frame_rate = rate;
  settings.ring_frame = true;
  const auto animation =
      sample::BouncingBall(settings.width, settings.height, static_cast<uint32_t>(frames));
  const std::string& path = line.names()[0];
  // The tune lasts as long as the frames; 16-bit mono at 22050 samples per second.
  encoder::TrackSettings track;
  track.format = SampleFormat{false, true};
  track.rate = 22050;
  track.lossy_level = 2;
  track.ring = true;
  track.period = static_cast<uint32_t>(rate) * 100;
  const uint32_t ms = static_cast<uint32_t>(frames * rate);
  track.track_length = encoder::TrackBytes(ms, track.bytes_per_second(), track.format.FrameBytes());
  TuneSupply tune(sample::BounceTune(track.rate, ms));
  encoder::SoundTrackEncoder sound(tune, track);
  platform::FileSystem& files = platform::SystemFileSystem();
  if (encoder::WriteAnimation(files, path, settings, animation, quiet ? nullptr : &sound) !=
      encoder::WriteStatus::kOk) {
    std::fprintf(stderr, "Error: cannot write %s: %s\n", path.c_str(), files.LastError().c_str());
    return toolkit::kExitFailed;
  }
  std::printf("Wrote %s: %d frames of %d x %d and a ring frame, %d ms per frame%s\n", path.c_str(),
              frames, width, height, rate, quiet ? "" : ", with a tune");
  return toolkit::kExitSucceeded;
}
