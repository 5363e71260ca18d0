#include "scriptplayer/window/window_host.h"

#include "kinet/kinet.h"

namespace kinet::script {
namespace {
constexpr uint32_t kPausedSliceMs = 10;
}  // namespace

void WindowHost::Pump() {
  for (;;) {
    screen_.Pump();
    KinetSoundCheck();
    if (!screen_.auto_pause || !screen_.IsOpen() || screen_.focused) return;
    clock().SleepMs(kPausedSliceMs);
  }
}

void WindowHost::DrawTextLine(std::string_view text) {
  screen_.WriteText(text);
  screen_.WriteText("\n");
}

}  // namespace kinet::script
