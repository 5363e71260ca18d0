// Pictures of a running script for a reviewer: runs a script in the player window and writes
// the window as a PNG at each of the given moments (milliseconds after the start); after the
// last one it asks the window to close, as a user would, so a script waiting for a key ends.
// A moment written <ms>=<action> does what a user would instead of taking a picture:
// move:X,Y and click:X,Y (the pointer, in the window), key:LEFT, key:RIGHT, key:TAB, key:ENTER,
// text:CHARACTERS.
//
//   script_screenshots <script> <out-prefix> <moment> [<moment> ...]
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
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

struct Moment {
  uint32_t ms = 0;
  std::string action;  // empty: a picture
};

// The event an action stands for; false for an action not understood.
bool ActionEvent(const std::string& action, platform::WindowEvent& e) {
  using K = platform::WindowEvent::Kind;
  const size_t colon = action.find(':');
  const std::string verb = action.substr(0, colon), what = action.substr(colon + 1);
  if (colon == std::string::npos) return false;
  if (verb == "move" || verb == "click") {
    e.kind = verb == "move" ? K::kPointer : K::kButtonUp;
    e.button = 1;
    return std::sscanf(what.c_str(), "%d,%d", &e.x, &e.y) == 2;
  }
  if (verb == "text") {
    e.kind = K::kText;
    e.text = what;
    return true;
  }
  const std::pair<const char*, platform::WindowKey> keys[] = {
      {"LEFT", platform::WindowKey::kLeft},
      {"RIGHT", platform::WindowKey::kRight},
      {"TAB", platform::WindowKey::kTab},
      {"ENTER", platform::WindowKey::kEnter}};
  e.kind = K::kKeyDown;
  for (const auto& [name, key] : keys)
    if (verb == "key" && what == name) e.key = key;
  return e.key != platform::WindowKey::kNone;
}

class ShotHost : public script::WindowHost {
 public:
  ShotHost(script::PlatformServices services, std::string prefix, std::vector<Moment> moments)
      : WindowHost(std::move(services)),
        prefix_(std::move(prefix)),
        moments_(std::move(moments)),
        start_(clock().NowMs()) {}

  void Pump() override {
    WindowHost::Pump();
    script::Screen& s = *screen();
    if (next_ >= moments_.size() || !s.IsOpen()) return;
    const Moment& now = moments_[next_];
    if (clock().NowMs() - start_ < now.ms) return;
    if (now.action.empty()) {
      Write(s);
    } else {
      platform::WindowEvent e;
      if (!ActionEvent(now.action, e))
        std::fprintf(stderr, "no such action: %s\n", now.action.c_str());
      e.window = platform::WindowNumber(s.window());
      (void)platform::PostWindowEvent(e);
    }
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
    std::string name = prefix_ + "-" + std::to_string(moments_[next_].ms) + "ms.png";
    if (platform::WriteImageFile(platform::SystemFileSystem(), platform::ImageFormat::kPng, name,
                                 shot)) {
      std::printf("%s\n", name.c_str());
      ++written;
    }
  }

  std::string prefix_;
  std::vector<Moment> moments_;
  uint32_t start_;
  size_t next_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: script_screenshots <script> <out-prefix> <ms>[=<action>] ...\n");
    return 2;
  }
  std::vector<Moment> moments;
  size_t pictures = 0;
  for (int i = 3; i < argc; ++i) {
    const std::string word = argv[i];
    const size_t equals = word.find('=');
    moments.push_back({uint32_t(std::stoul(word.substr(0, equals))),
                       equals == std::string::npos ? "" : word.substr(equals + 1)});
    pictures += moments.back().action.empty();
  }
  std::unique_ptr<platform::SoundClips> sounds = platform::OpenSdlSoundClips();
  platform::ScriptedMessageBoxes boxes;  // nobody answers: every box gives Cancel
  script::PlatformServices platform{&platform::SystemFileSystem(),
                                    &platform::SystemClock(),
                                    &platform::ProcessEnvironment(),
                                    &platform::SystemProgramStarter(),
                                    platform::QuerySystemInfo(),
                                    &boxes,
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
  return host.written == pictures ? 0 : 1;
}
