// Video files as animations: the table of open files, stepping them frame by frame into the
// image or a bitmap, and playing a whole file with its sound. Handlers read their parameters
// through the interpreter (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "kinet/kinet.h"
#include "scriptplayer/engine/family_state.h"

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

inline constexpr int32_t kAnimationHandleBase = 3000;

// Where an animation's frames are decoded. The target is looked up again before every frame,
// so a freed bitmap or a closed window is never written to.
struct FrameTarget {
  enum Kind { kNone, kScreen, kBitmap } kind = kNone;
  int32_t x = 0, y = 0;  // on the image
  int32_t bitmap = 0;    // the bitmap's handle
};

struct Animation {
  KinetHandle* handle = nullptr;
  std::unique_ptr<std::array<uint8_t, 768>> palette;  // the palette last taken from the file
  bool at_end = false;  // the last frame was shown and no ring frame follows
  std::string name;     // without path and extension, at most 8 characters
  FrameTarget target;
};

struct AnimationState : FamilyState {
  static constexpr size_t kSlots = 32;
  ~AnimationState() override { CloseAll(); }
  void RunEnded() override { CloseAll(); }
  void CloseAll();

  std::array<Animation, kSlots> slots;
  uint32_t track_flags = 0x7Fu << 13;  // the tracks later opens request
};

// The open animation of a handle, or null.
Animation* FindAnimation(Interpreter& in, int64_t handle);
// Argument form a: an open animation ("  Bad animation parameter:" otherwise).
Animation& ArgAnimation(Interpreter& in);
// Points the library's decoding at the animation's target; false when it has none now.
bool PointAtTarget(Interpreter& in, Animation& animation);
// Copies the rectangles the last decoded frame changed on the image to the window.
void ShowChanges(Interpreter& in, KinetHandle* handle);
// `name` with ".knt" when it has no extension.
std::string VideoFileName(const std::string& name);

void AnimationOpen(Interpreter& in);              // -> name, n flags, text file
void AnimationTracks(Interpreter& in);            // n mask
void AnimationClose(Interpreter& in);             // a
void AnimationAdvance(Interpreter& in);           // a
void AnimationAdvanceNoPalette(Interpreter& in);  // a
void AnimationBackToStart(Interpreter& in);       // a
void AnimationGoto(Interpreter& in);              // a, n frame
void AnimationDelay(Interpreter& in);             // a
void AnimationStillDelay(Interpreter& in);        // -> name, a
void AnimationFrames(Interpreter& in);            // -> name, a
void AnimationWidth(Interpreter& in);             // -> name, a
void AnimationHeight(Interpreter& in);            // -> name, a
void AnimationToBitmap(Interpreter& in);          // a, b
void AnimationToScreen(Interpreter& in);          // a, n x, n y
void AnimationList(Interpreter& in);
// animation_play.cc
void AnimationLoadToBitmap(Interpreter& in);  // text file, name [name ...]
void AnimationPlay(Interpreter& in);  // -> name, n x, n y, n loops, n options, text file or a

}  // namespace kinet::script::cmd
