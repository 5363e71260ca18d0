#include "scriptplayer/commands/animations.h"

#include "scriptplayer/commands/bitmaps.h"
#include "scriptplayer/commands/window.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/engine/messages.h"
#include "scriptplayer/window/screen.h"

namespace kinet::script::cmd {
namespace {

constexpr uint32_t kOpenPreload = 0x200, kOpenNoSkip = 0x400;
constexpr size_t kListedNameLength = 8;

std::string ListedName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  name = name.substr(0, name.rfind('.'));
  return name.substr(0, kListedNameLength);
}

bool LastFrameWithoutRing(const KinetHandle* h) {
  return !(h->Flags & KINET_FLAG_RING_FRAME) && h->Frames > 0 && h->FrameNum + 1 >= h->Frames;
}

void Advance(Interpreter& in, bool take_palette) {
  Animation& a = ArgAnimation(in);
  KinetHandle* h = a.handle;
  if (a.at_end) {
    a.at_end = false;
    KinetNextFrame(h);
  }
  const bool to_screen = PointAtTarget(in, a) && a.target.kind == FrameTarget::kScreen;
  KinetDoFrame(h);
  Screen* screen = ScreenSettings(in);
  if (h->NewPalette) {
    a.palette = std::make_unique<std::array<uint8_t, 768>>();
    std::copy_n(h->Palette, 768, a.palette->begin());
    if (take_palette && screen && screen->IsOpen()) screen->SetPalette(h->Palette);
  }
  if (to_screen) ShowChanges(in, h);
  if (LastFrameWithoutRing(h)) {
    a.at_end = true;
  } else {
    KinetNextFrame(h);
  }
}

void StoreQuery(Interpreter& in, uint32_t (*value)(const KinetHandle*)) {
  std::string name = in.ArgName();
  in.SetNumber(name, value(ArgAnimation(in).handle));
}

}  // namespace

void AnimationState::CloseAll() {
  for (Animation& a : slots) {
    if (a.handle) KinetClose(a.handle);
    a = Animation{};
  }
}

std::string VideoFileName(const std::string& name) {
  size_t slash = name.find_last_of("/\\");
  size_t dot = name.rfind('.');
  bool has_extension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return has_extension ? name : name + ".knt";
}

Animation* FindAnimation(Interpreter& in, int64_t handle) {
  int64_t slot = handle - kAnimationHandleBase;
  if (slot < 0 || slot >= int64_t(AnimationState::kSlots)) return nullptr;
  Animation& a = in.State<AnimationState>().slots[size_t(slot)];
  return a.handle ? &a : nullptr;
}

Animation& ArgAnimation(Interpreter& in) {
  Animation* a = FindAnimation(in, in.ArgNumber());
  if (!a) in.FailCommand(msg::kBadAnimation);
  return *a;
}

bool PointAtTarget(Interpreter& in, Animation& a) {
  KinetHandle* h = a.handle;
  if (a.target.kind == FrameTarget::kScreen) {
    Screen* screen = ScreenSettings(in);
    if (screen && screen->IsOpen()) {
      KinetBuffer* b = screen->buffer();
      KinetToBuffer(h, a.target.x, a.target.y, int32_t(b->Pitch), int32_t(b->Height), b->Memory, 0);
      return true;
    }
  } else if (a.target.kind == FrameTarget::kBitmap) {
    if (Bitmap* bitmap = Bitmaps(in).Get(a.target.bitmap)) {
      KinetToBuffer(h, 0, 0, bitmap->width, bitmap->height, bitmap->pixels.data(), 0);
      return true;
    }
  }
  KinetToBuffer(h, 0, 0, 0, 0, nullptr, 0);
  return false;
}

void ShowChanges(Interpreter& in, KinetHandle* h) {
  Screen* screen = ScreenSettings(in);
  if (!screen) return;
  while (KinetToBufferRect(h, 0))
    screen->Show({h->LastRectX, h->LastRectY, h->LastRectW, h->LastRectH});
}

void AnimationOpen(Interpreter& in) {
  std::string name = in.ArgName();
  int32_t flags = in.ArgNumber();
  std::string file = VideoFileName(in.ArgNonEmptyText());
  AnimationState& state = in.State<AnimationState>();
  int32_t result = 0;
  for (size_t slot = 0; slot < state.slots.size(); ++slot) {
    if (state.slots[slot].handle) continue;
    uint32_t open =
        state.track_flags | (flags & 2 ? kOpenPreload : 0) | (flags & 1 ? kOpenNoSkip : 0);
    KinetHandle* h = in.host().OpenVideo(file, open);
    if (h) {
      Animation& a = state.slots[slot];
      a.handle = h;
      a.name = ListedName(file);
      // Until ANIMATIONTOSCREEN or ANIMATIONTOBITMAP says otherwise, frames go to the image.
      a.target.kind = FrameTarget::kScreen;
      if (Screen* screen = ScreenSettings(in))
        a.target = {FrameTarget::kScreen, screen->origin_x, screen->origin_y, 0};
      result = kAnimationHandleBase + int32_t(slot);
    }
    break;
  }
  in.SetNumber(name, result);
}

void AnimationTracks(Interpreter& in) {
  in.State<AnimationState>().track_flags = (uint32_t(in.ArgNumber()) & 0x7F) << 13;
}

void AnimationClose(Interpreter& in) {
  Animation& a = ArgAnimation(in);
  KinetClose(a.handle);
  a = Animation{};
}

void AnimationAdvance(Interpreter& in) { Advance(in, true); }
void AnimationAdvanceNoPalette(Interpreter& in) { Advance(in, false); }

void AnimationBackToStart(Interpreter& in) {
  Animation& a = ArgAnimation(in);
  a.at_end = false;
  KinetGoto(a.handle, 0);
}

void AnimationGoto(Interpreter& in) {
  Animation& a = ArgAnimation(in);
  int32_t frame = in.ArgNumber();
  a.at_end = false;
  KinetSoundOnOff(a.handle, 0);
  KinetGoto(a.handle, uint32_t(std::max(frame, 0)));
  KinetSoundOnOff(a.handle, 1);
}

void AnimationDelay(Interpreter& in) {
  KinetHandle* h = ArgAnimation(in).handle;
  while (KinetWait(h) && !h->ReadError) {
    in.Pump();
    in.host().clock().SleepMs(1);
  }
}

void AnimationStillDelay(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetNumber(name, KinetWait(ArgAnimation(in).handle));
}

void AnimationFrames(Interpreter& in) {
  StoreQuery(in, [](const KinetHandle* h) { return h->Frames; });
}
void AnimationWidth(Interpreter& in) {
  StoreQuery(in, [](const KinetHandle* h) { return h->Width; });
}
void AnimationHeight(Interpreter& in) {
  StoreQuery(in, [](const KinetHandle* h) { return h->Height; });
}

void AnimationToBitmap(Interpreter& in) {
  Animation& a = ArgAnimation(in);
  int32_t handle = in.ArgNumber();
  if (!Bitmaps(in).Get(handle)) in.FailCommand(msg::kBadFrame);
  a.target = {FrameTarget::kBitmap, 0, 0, handle};
  PointAtTarget(in, a);
}

void AnimationToScreen(Interpreter& in) {
  Animation& a = ArgAnimation(in);
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  Screen& screen = OpenScreen(in);
  a.target = {FrameTarget::kScreen, screen.origin_x + x, screen.origin_y + y, 0};
  PointAtTarget(in, a);
}

void AnimationList(Interpreter& in) {
  std::vector<std::string> lines;
  AnimationState& state = in.State<AnimationState>();
  for (size_t slot = 0; slot < state.slots.size(); ++slot) {
    const Animation& a = state.slots[slot];
    if (!a.handle) continue;
    lines.push_back("Number: " + std::to_string(kAnimationHandleBase + slot) + "  Name: " + a.name +
                    "  Width: " + std::to_string(a.handle->Width) +
                    "  Height: " + std::to_string(a.handle->Height));
  }
  in.List(lines);
}

}  // namespace kinet::script::cmd
