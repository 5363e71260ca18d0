// The animation commands that need no window. Handlers read their parameters through the
// interpreter (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

#include <cstdint>

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

// No animation can be open before the video library joins the player, so every animation handle is
// reported as bad.
void AnimationQuery(Interpreter& in);   // -> name, a
void AnimationAction(Interpreter& in);  // a, ...

}  // namespace kinet::script::cmd
