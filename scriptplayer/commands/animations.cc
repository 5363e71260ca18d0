// Animation commands that need no window. Animations are opened by ANIMATIONOPEN, which comes
// with the player window and the video library; until then no animation slot is ever in use,
// so the handle check fails for every number, as it does for a closed animation.
#include "scriptplayer/commands/animations.h"

#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/engine/messages.h"

namespace kinet::script::cmd {
namespace {

[[noreturn]] void NoSuchAnimation(Interpreter& in) {
  (void)in.ArgNumber();
  in.FailCommand(msg::kBadAnimation);
}

}  // namespace

void AnimationQuery(Interpreter& in) {
  (void)in.ArgName();
  NoSuchAnimation(in);
}

void AnimationAction(Interpreter& in) { NoSuchAnimation(in); }

}  // namespace kinet::script::cmd
