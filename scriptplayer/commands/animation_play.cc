// ANIMATIONPLAY, a whole video file in one command, and ANIMATIONLOADTOBITMAP.
#include <vector>

#include "scriptplayer/commands/animations.h"
#include "scriptplayer/commands/bitmaps.h"
#include "scriptplayer/commands/palettes.h"
#include "scriptplayer/commands/window.h"
#include "scriptplayer/engine/integer_text.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/engine/messages.h"
#include "scriptplayer/window/screen.h"

namespace kinet::script::cmd {
namespace {

// Option bits of ANIMATIONPLAY. Bit 8 (a decoding path of one display state) means nothing.
namespace play {
constexpr uint32_t kNoSkip = 1, kPreload = 2, kNoPacing = 4, kSaveArea = 16, kFadeIn = 32,
                   kFadeOut = 64, kEscapeStops = 128, kOverlay = 256, kNoPalettes = 512,
                   kSoundOnly = 1024;
}  // namespace play

constexpr uint8_t kEscape = 27;

class Playback {
 public:
  Playback(Interpreter& in, KinetHandle* h, uint32_t options, Screen* screen)
      : in_(in), h_(h), options_(options), screen_(options & play::kSoundOnly ? nullptr : screen) {}

  // Places the frame at x, y of the image (-1 centres on that axis); x on a multiple of 4.
  void Place(int64_t x, int64_t y) {
    if (!screen_) return;
    const int64_t w = h_->Width, h = h_->Height;
    x = x == -1 ? (screen_->client_width() - w) / 2 : x + screen_->origin_x;
    y = y == -1 ? (screen_->client_height() - h) / 2 : y + screen_->origin_y;
    area_ = {x & ~int64_t{3}, y, w, h};
    PixelView view = screen_->View();
    if (options_ & (play::kSaveArea | play::kOverlay)) saved_ = Copy(view, area_);
    if (options_ & play::kOverlay) {
      frame_.assign(size_t(w * h), 0);
      KinetToBuffer(h_, 0, 0, int32_t(w), int32_t(h), frame_.data(), 0);
    } else {
      KinetToBuffer(h_, int32_t(area_.x), int32_t(area_.y), int32_t(view.pitch), view.height,
                    view.pixels, 0);
    }
  }

  // Plays until the last frame has been shown `loops` times (forever when below 0) or Escape.
  void Run(int32_t loops) {
    for (int32_t shown = 0;;) {
      in_.Pump();
      KinetDoFrame(h_);
      TakePalette();
      ShowFrame();
      if (Escaped() || h_->ReadError) break;
      if (h_->FrameNum + 1 >= h_->Frames && loops > 0 && ++shown >= loops) break;
      KinetNextFrame(h_);
      if (!(options_ & play::kNoPacing) && !WaitForFrame()) break;
    }
  }

  void Finish() {
    if (!screen_) return;
    if (options_ & play::kFadeOut) FadeOutPalette(in_, *screen_);
    if (options_ & play::kSaveArea) Restore();
  }

 private:
  static std::vector<uint8_t> Copy(const PixelView& view, const PixelRect& r) {
    std::vector<uint8_t> copy(size_t(r.w * r.h), 0);
    for (int64_t y = 0; y < r.h; ++y)
      for (int64_t x = 0; x < r.w; ++x)
        if (view.Contains(r.x + x, r.y + y)) copy[size_t(y * r.w + x)] = view.At(r.x + x, r.y + y);
    return copy;
  }

  void Restore() {
    PixelView from{saved_.data(), int32_t(area_.w), int32_t(area_.h), size_t(area_.w)};
    screen_->Show(
        CopyPixels(from, screen_->View(), area_.x, area_.y, [](int64_t, int64_t) { return true; }));
  }

  void TakePalette() {
    if (!h_->NewPalette || !screen_ || (options_ & play::kNoPalettes)) return;
    if (options_ & play::kFadeIn) {
      FadeInPalette(in_, *screen_, h_->Palette);
    } else if (!std::equal(h_->Palette, h_->Palette + 768, screen_->palette.begin())) {
      screen_->SetPalette(h_->Palette);
    }
  }

  void ShowFrame() {
    if (!screen_) return;
    if (!(options_ & play::kOverlay)) {
      ShowChanges(in_, h_);
      return;
    }
    // The frame over the saved background, its pixels of the text transparent colour left out.
    const uint8_t transparent = screen_->colours.transparent;
    PixelView back{saved_.data(), int32_t(area_.w), int32_t(area_.h), size_t(area_.w)};
    PixelView frame{frame_.data(), int32_t(area_.w), int32_t(area_.h), size_t(area_.w)};
    CopyPixels(back, screen_->View(), area_.x, area_.y, [](int64_t, int64_t) { return true; });
    screen_->Show(CopyPixels(frame, screen_->View(), area_.x, area_.y,
                             [&](int64_t x, int64_t y) { return frame.At(x, y) != transparent; }));
  }

  bool Escaped() {
    return screen_ && (options_ & play::kEscapeStops) && screen_->keys.TakeCode(kEscape);
  }

  bool WaitForFrame() {
    while (KinetWait(h_) && !h_->ReadError) {
      in_.Pump();
      if (Escaped()) return false;
      in_.host().clock().SleepMs(1);
    }
    return true;
  }

  Interpreter& in_;
  KinetHandle* h_;
  uint32_t options_;
  Screen* screen_;
  PixelRect area_;
  std::vector<uint8_t> saved_, frame_;
};

}  // namespace

void AnimationPlay(Interpreter& in) {
  std::string name = in.ArgName();
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  int32_t loops = in.ArgNumber();
  uint32_t options = uint32_t(in.ArgNumber());
  std::string file = in.ArgNonEmptyText();
  Animation* open = nullptr;
  if (IsIntegerText(file)) {
    open = FindAnimation(in, ParseInteger(file));
    if (!open) in.FailCommand(msg::kBadAnimation);
  }
  if (!(options & play::kSoundOnly)) OpenScreen(in);
  if (loops == 0) {
    in.SetNumber(name, 1);
    return;
  }
  KinetHandle* h = open ? open->handle : nullptr;
  if (!h) {
    uint32_t flags = in.State<AnimationState>().track_flags |
                     (options & play::kPreload ? 0x200u : 0) |
                     (options & play::kNoSkip ? 0x400u : 0);
    h = in.host().OpenVideo(VideoFileName(file), flags);
    if (!h) {
      in.SetNumber(name, 0);
      return;
    }
  } else if (open->at_end) {
    open->at_end = false;
    KinetNextFrame(h);
  }
  Playback playback(in, h, options, ScreenSettings(in));
  playback.Place(x, y);
  playback.Run(loops);
  playback.Finish();
  if (open) {
    PointAtTarget(in, *open);
  } else {
    KinetClose(h);
  }
  in.SetNumber(name, 1);
}

void AnimationLoadToBitmap(Interpreter& in) {
  std::string file = VideoFileName(in.ArgNonEmptyText());
  std::vector<std::string> names;
  do {
    names.push_back(in.ArgName());
  } while (!in.remaining().empty() && in.remaining()[0] != ';' && in.remaining()[0] != '#');
  KinetHandle* h = in.host().OpenVideo(file, 0);
  // Frames decode into one picture of their own, as each builds on the one before, and each
  // bitmap takes a copy.
  std::vector<uint8_t> frame(h ? size_t(h->Width) * h->Height : 0, 0);
  if (h) KinetToBuffer(h, 0, 0, int32_t(h->Width), int32_t(h->Height), frame.data(), 0);
  for (const std::string& name : names) {
    int32_t handle = h ? Bitmaps(in).Allocate(int32_t(h->Width), int32_t(h->Height)) : 0;
    if (Bitmap* bitmap = Bitmaps(in).Get(handle)) {
      KinetDoFrame(h);
      std::copy(frame.begin(), frame.end(), bitmap->pixels.begin());
      if (h->NewPalette) {
        bitmap->palette = std::make_unique<std::array<uint8_t, 768>>();
        std::copy_n(h->Palette, 768, bitmap->palette->begin());
      }
      KinetNextFrame(h);
    }
    in.SetNumber(name, handle);
  }
  if (h) KinetClose(h);
}

}  // namespace kinet::script::cmd
