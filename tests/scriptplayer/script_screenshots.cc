// Pictures of a running script for a reviewer: runs a script in the player window and writes
// the window as a PNG at each of the given moments (milliseconds after the start); after the
// last one it asks the window to close, as a user would, so a script waiting for a key ends.
//
//   script_screenshots <script> <out-prefix> <ms> [<ms> ...]
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock/clock.h"
#include "platform/display/window.h"
#include "platform/environment/environment.h"
#include "platform/files/file_system.h"
#include "platform/images/image.h"
#include "platform/process/program_starter.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/window/window_host.h"

namespace {

using namespace kinet;

class ShotHost : public script::WindowHost {
 public:
  ShotHost(script::PlatformServices services, std::string prefix, std::vector<uint32_t> moments)
      : WindowHost(std::move(services)),
        prefix_(std::move(prefix)),
        moments_(std::move(moments)),
        start_(clock().NowMs()) {}

  void Pump() override {
    WindowHost::Pump();
    script::Screen& s = *screen();
    if (next_ >= moments_.size() || !s.IsOpen()) return;
    if (clock().NowMs() - start_ < moments_[next_]) return;
    Write(s);
    if (++next_ == moments_.size()) s.keys.Push(script::key::kCloseRequest);
  }

  size_t written = 0;

 private:
  void Write(script::Screen& s) {
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    if (!platform::ReadWindow(s.window(), pixels, w, h)) return;
    platform::Image shot;
    shot.width = uint32_t(w);
    shot.height = uint32_t(h);
    shot.bits = 24;
    if (!shot.Allocate()) return;
    for (size_t i = 0; i < pixels.size(); ++i)
      for (int c = 0; c < 3; ++c) shot.pixels[3 * i + c] = uint8_t(pixels[i] >> (16 - 8 * c));
    std::string name = prefix_ + "-" + std::to_string(moments_[next_]) + "ms.png";
    if (platform::WriteImageFile(platform::SystemFileSystem(), platform::ImageFormat::kPng, name,
                                 shot)) {
      std::printf("%s\n", name.c_str());
      ++written;
    }
  }

  std::string prefix_;
  std::vector<uint32_t> moments_;
  uint32_t start_;
  size_t next_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: script_screenshots <script> <out-prefix> <ms> [<ms> ...]\n");
    return 2;
  }
  std::vector<uint32_t> moments;
  for (int i = 3; i < argc; ++i) moments.push_back(uint32_t(std::stoul(argv[i])));
  std::unique_ptr<platform::SoundClips> sounds = platform::OpenSdlSoundClips();
  script::PlatformServices platform{&platform::SystemFileSystem(),
                                    &platform::SystemClock(),
                                    &platform::ProcessEnvironment(),
                                    &platform::SystemProgramStarter(),
                                    platform::QuerySystemInfo(),
                                    &platform::SystemMessageBoxes(),
                                    sounds.get()};
  ShotHost host(platform, argv[2], moments);
  script::Services services;
  services.host = &host;
  script::Interpreter interpreter(services);
  script::RunOutcome outcome = interpreter.Run(argv[1]);
  if (outcome.kind != script::RunOutcome::kFinished) {
    std::fprintf(stderr, "%s\n", outcome.error_text.c_str());
    return 1;
  }
  return host.written == moments.size() ? 0 : 1;
}
