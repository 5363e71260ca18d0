#include "tools/kinetplayw/player.h"

#include <cstdio>

#include "kinet/kinet_buffer.h"
#include "platform/clock/clock.h"
#include "platform/display/display.h"

namespace kinet::player {

namespace {

constexpr uint32_t kNoPause = 1, kNoSkip = 2, kNoQuit = 4;

class Player {
 public:
  explicit Player(const PlayerSettings& s) : s_(s) {}
  ~Player() {
    KinetBufferClose(buffer_);
    KinetClose(handle_);
  }

  bool Open(std::string& message) {
    if (s_.frame_rate) KinetFrameRate(*s_.frame_rate);
    if (s_.simulate) KinetSimulate(s_.simulate);
    if (s_.device_thread_sound) KinetSoundUseDirectSound(nullptr);
    handle_ = KinetOpen(s_.file.c_str(), OpenFlags(s_), s_.extra_memory);
    if (!handle_) {
      message = "Error: " + s_.file + " cannot be opened as a video file.";
      return false;
    }
    if (s_.sound_only) return true;
    const int32_t w = static_cast<int32_t>(handle_->Width), h = static_cast<int32_t>(handle_->Height);
    buffer_ = KinetBufferOpen(nullptr, DisplayMode(s_), w, h, s_.width, s_.height);
    if (!buffer_) {
      message = "Error: no display for a " + std::to_string(w) + " x " + std::to_string(h) +
                " picture in that display mode.";
      return false;
    }
    if (!buffer_->FullScreen) platform::ArrangeWindow(buffer_->Window, s_.x, s_.y, s_.window_style);
    KinetToBuffer(handle_, 0, 0, static_cast<int32_t>(buffer_->Pitch), h, buffer_->Memory, 0);
    return true;
  }

  // Plays the loops; false when the user quit.
  bool Run() {
    const uint32_t records = handle_->Frames;
    for (int32_t loop = 0; s_.loops == 0 || loop < s_.loops; ++loop) {
      for (uint32_t f = 0; f < records; ++f) {
        if (!ShowFrame()) return false;
        if (skip_) break;
        KinetNextFrame(handle_);
      }
      if (handle_->ReadError) return true;
      if (skip_) {
        skip_ = false;
        KinetGoto(handle_, 1);
      }
    }
    return true;
  }

 private:
  bool ShowFrame() {
    if (s_.show_frame_numbers) std::printf("frame %u\n", handle_->FrameNum + 1);
    const bool late = KinetDoFrame(handle_);
    if (buffer_ && !late) {
      if (handle_->NewPalette) {
        KinetBufferNewPalette(buffer_, handle_->Palette, 0);
        KinetBufferSetPalette(buffer_);
      }
      if (s_.changes_only) {
        while (KinetToBufferRect(handle_, 0))
          KinetBufferBlit(buffer_, nullptr, handle_->LastRectX, handle_->LastRectY,
                          handle_->LastRectX, handle_->LastRectY, handle_->LastRectW,
                          handle_->LastRectH);
      } else {
        KinetBufferBlit(buffer_, nullptr, 0, 0, 0, 0, static_cast<int32_t>(buffer_->Width),
                        static_cast<int32_t>(buffer_->Height));
      }
    }
    // Wait until the frame is due, answering the keys meanwhile.
    while (true) {
      if (!HandleInput()) return false;
      if (!(paused_ || LostFocus()) && !KinetWait(handle_)) return !handle_->ReadError;
      KinetSoundCheck();
      platform::SystemClock().SleepMs(1);
    }
  }

  bool HandleInput() {
    const platform::DisplayInput input = platform::PollDisplayInput();
    if (input.quit && !(s_.controls & kNoQuit)) return false;
    if (input.skip && !(s_.controls & kNoSkip)) skip_ = true;
    if (input.pause && !(s_.controls & kNoPause)) {
      paused_ = !paused_;
      KinetSoundOnOff(handle_, paused_ ? 0 : 1);
    }
    return true;
  }

  // Playback pauses while the window, having had the focus, lacks it (not with /J).
  bool LostFocus() {
    if (!buffer_ || s_.keep_playing_unfocused) return false;
    const bool focused = KinetBufferFocused(buffer_);
    had_focus_ = had_focus_ || focused;
    return had_focus_ && !focused;
  }

  const PlayerSettings& s_;
  KinetHandle* handle_ = nullptr;
  KinetBuffer* buffer_ = nullptr;
  bool paused_ = false, skip_ = false, had_focus_ = false;

 public:
  KinetHandle* handle() const { return handle_; }
};

}  // namespace

PlayResult Play(const PlayerSettings& settings) {
  PlayResult result;
  Player player(settings);
  if (!player.Open(result.message)) return result;
  const bool finished = player.Run();
  KinetSummary(player.handle(), &result.summary);
  if (player.handle()->ReadError) {
    result.message = "Error: " + settings.file + " ends before its last frame.";
    return result;
  }
  result.ok = true;
  result.message = finished ? "Played " + settings.file + "." : "Stopped.";
  return result;
}

}  // namespace kinet::player
