// kntsample: writes a generated sample animation as a video file, every block coded exactly.
//
//   kntsample out.knt [/W<width>] [/H<height>] [/N<frames>] [/R<ms per frame>]
#include <cstdio>
#include <string>
#include <vector>

#include "animation_writer.h"
#include "sample_animation.h"
#include "toolkit/status_frame.h"
#include "toolkit/switches.h"

namespace {

using namespace kinet;

constexpr char kUsage[] =
    "Usage: kntsample out.knt [/W<width>] [/H<height>] [/N<frames>] [/R<ms per frame>]\n"
    "  defaults: 320 x 200, 60 frames, 66 ms per frame\n";

constexpr toolkit::SwitchSpec kSwitches[] = {{'W', toolkit::SwitchKind::kNumber},
                                             {'H', toolkit::SwitchKind::kNumber},
                                             {'N', toolkit::SwitchKind::kNumber},
                                             {'R', toolkit::SwitchKind::kNumber}};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  toolkit::SwitchLine line(words, kSwitches);
  const int32_t width = line.TakeNumber('W').value_or(320);
  const int32_t height = line.TakeNumber('H').value_or(200);
  const int32_t frames = line.TakeNumber('N').value_or(60);
  const int32_t rate = line.TakeNumber('R').value_or(66);
  if (line.HasLeftover() || line.names().size() != 1 || width < 4 || height < 4 ||
      width > 4096 || height > 4096 || frames < 1 || frames > 10000) {
    std::fputs(kUsage, stderr);
    return toolkit::kExitUsage;
  }
  AnimationSettings settings;
  settings.width = static_cast<uint32_t>(width);
  settings.height = static_cast<uint32_t>(height);
  settings.frame_rate = rate;
  settings.ring_frame = true;
  const auto animation = sample::BouncingBall(settings.width, settings.height,
                                              static_cast<uint32_t>(frames));
  const std::string& path = line.names()[0];
  if (WriteAnimation(path, settings, animation) != WriteStatus::kOk) {
    std::fprintf(stderr, "Error: cannot write %s\n", path.c_str());
    return toolkit::kExitFailed;
  }
  std::printf("Wrote %s: %d frames of %d x %d and a ring frame, %d ms per frame\n",
              path.c_str(), frames, width, height, rate);
  return toolkit::kExitSucceeded;
}
