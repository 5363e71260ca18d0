#include "tools/kinetplayw/player.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "kinet/kinet_buffer.h"
#include "platform/display/display.h"
#include "platform/display/window.h"
#include "tools/kinetplayw/seeking.h"

namespace kinet::player {

namespace {

constexpr uint32_t kNoPause = 1, kNoSkip = 2, kNoQuit = 4;

// The name of the file without its folders, for the window's title.
std::string BaseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

class Player {
 public:
  Player(const PlayerSettings& s, platform::Clock& clock, const FrameObserver& observer,
         const Interruption& interrupted)
      : s_(s), clock_(clock), observer_(observer), interrupted_(interrupted) {}
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
    KinetSummaryRecord summary;
    KinetSummary(handle_, &summary);
    period_ = SecondsPeriod(summary.FramePeriod, handle_->FrameRate);
    if (s_.sound_only) {
      seeker_.emplace(handle_, nullptr, 0, period_);
      return true;
    }
    const int32_t w = static_cast<int32_t>(handle_->Width), h = static_cast<int32_t>(handle_->Height);
    buffer_ = KinetBufferOpen(nullptr, DisplayMode(s_), w, h, s_.width, s_.height);
    if (!buffer_) {
      message = "Error: no display for a " + std::to_string(w) + " x " + std::to_string(h) +
                " picture in that display mode.";
      return false;
    }
    if (!buffer_->FullScreen) {
      platform::ArrangeWindow(buffer_->Window, s_.x, s_.y, s_.window_style);
      platform::SetWindowTitle(buffer_->Window, (BaseName(s_.file) + " - KinetPlayW").c_str());
    }
    KinetToBuffer(handle_, 0, 0, static_cast<int32_t>(buffer_->Pitch), h, buffer_->Memory, 0);
    seeker_.emplace(handle_, buffer_->Memory, size_t{buffer_->Pitch} * handle_->Height, period_);
    return true;
  }

  // Plays the loops; false when the user quit.
  bool Run() {
    const uint32_t frames = handle_->Frames;
    if (s_.start_frame > 1) SeekTo(std::min(s_.start_frame, frames));
    for (int32_t loop = 0; s_.loops == 0 || loop < s_.loops; ++loop) {
      // A loop ends with the last frame, wherever seeking has taken it meanwhile.
      while (true) {
        if (!ShowFrame()) return false;
        if (handle_->ReadError) return true;
        if (target_) {
          SeekTo(*target_);
          continue;
        }
        if (skip_ || handle_->FrameNum + 1 == frames) break;
        KinetNextFrame(handle_);
      }
      if (skip_) {
        skip_ = false;
        KinetGoto(handle_, 1);
      } else {
        KinetNextFrame(handle_);
      }
    }
    return true;
  }

 private:
  // The frame the handle is at, from 1; the ring frame shows the first.
  uint32_t Current() const {
    return handle_->FrameNum >= handle_->Frames ? 1 : handle_->FrameNum + 1;
  }

  // Positions at frame `target` with a complete picture, the sound off meanwhile; the next
  // frame shown is drawn whole with its palette.
  void SeekTo(uint32_t target) {
    target_.reset();
    if (target == Current() && shown_once_) return;
    KinetSoundOnOff(handle_, 0);
    seeker_->DecodeUpTo(target);
    if (!paused_) KinetSoundOnOff(handle_, 1);
    whole_picture_ = true;
  }

  bool ShowFrame() {
    if (s_.show_frame_numbers) std::printf("frame %u\n", handle_->FrameNum + 1);
    const bool late = KinetDoFrame(handle_);
    shown_once_ = true;
    seeker_->Done(!late || (handle_->OpenFlags & KINET_OPEN_NO_SKIP));
    if (buffer_ && !late) Draw();
    if (observer_)
      observer_({Current(), handle_->Frames, period_, buffer_ ? buffer_->Memory : nullptr,
                 buffer_ ? static_cast<int32_t>(buffer_->Pitch) : 0, handle_->Palette});
    // Wait until the frame is due, answering the keys meanwhile.
    while (true) {
      if (!HandleInput()) return false;
      if (target_) return true;
      if (!(paused_ || LostFocus()) && !KinetWait(handle_)) return true;
      KinetSoundCheck();
      clock_.SleepMs(1);
    }
  }

  void Draw() {
    if (handle_->NewPalette || whole_picture_) {
      KinetBufferNewPalette(buffer_, handle_->Palette, 0);
      KinetBufferSetPalette(buffer_);
    }
    if (s_.changes_only && !whole_picture_) {
      while (KinetToBufferRect(handle_, 0))
        KinetBufferBlit(buffer_, nullptr, handle_->LastRectX, handle_->LastRectY,
                        handle_->LastRectX, handle_->LastRectY, handle_->LastRectW,
                        handle_->LastRectH);
    } else {
      KinetBufferBlit(buffer_, nullptr, 0, 0, 0, 0, static_cast<int32_t>(buffer_->Width),
                      static_cast<int32_t>(buffer_->Height));
    }
    whole_picture_ = false;
  }

  bool HandleInput() {
    if (interrupted_ && interrupted_()) {
      was_interrupted_ = true;
      return false;
    }
    const platform::DisplayInput input = platform::PollDisplayInput();
    if (input.quit && !(s_.controls & kNoQuit)) return false;
    if (input.skip && !(s_.controls & kNoSkip)) skip_ = true;
    if (input.pause && !(s_.controls & kNoPause)) {
      paused_ = !paused_;
      KinetSoundOnOff(handle_, paused_ ? 0 : 1);
    }
    const uint32_t target = SeekTarget(input, Current(), handle_->Frames, period_);
    if (target != Current()) target_ = target;
    // A step shows the next frame and stays paused; at the last frame there is none.
    if (input.step && paused_ && handle_->FrameNum + 1 < handle_->Frames && !target_)
      target_ = Current() + 1;
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
  platform::Clock& clock_;
  const FrameObserver& observer_;
  const Interruption& interrupted_;
  KinetHandle* handle_ = nullptr;
  KinetBuffer* buffer_ = nullptr;
  uint32_t period_ = 0;
  std::optional<Seeker> seeker_;
  std::optional<uint32_t> target_;
  bool paused_ = false, skip_ = false, had_focus_ = false;
  bool shown_once_ = false, whole_picture_ = false;
  bool was_interrupted_ = false;

 public:
  KinetHandle* handle() const { return handle_; }
  bool interrupted() const { return was_interrupted_; }
};

}  // namespace

PlayResult Play(const PlayerSettings& settings, platform::Clock& clock,
                const FrameObserver& observer, const Interruption& interrupted) {
  PlayResult result;
  Player player(settings, clock, observer, interrupted);
  if (!player.Open(result.message)) return result;
  const bool finished = player.Run();
  KinetSummary(player.handle(), &result.summary);
  result.frames = player.handle()->Frames;
  if (player.handle()->ReadError) {
    result.message = "Error: " + settings.file + " ends before its last frame.";
    return result;
  }
  result.interrupted = player.interrupted();
  result.ok = !result.interrupted;
  result.message = finished ? "Played " + settings.file + "." : "Stopped.";
  return result;
}

}  // namespace kinet::player
