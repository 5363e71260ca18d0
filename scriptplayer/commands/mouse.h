// Mouse areas with their levels, and the pointer's position. Handlers read their parameters
// through the interpreter (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scriptplayer/engine/family_state.h"

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

struct MouseArea {
  std::string name;                  // at most 31 characters
  int64_t left, top, right, bottom;  // image coordinates; right and bottom exclusive
  int32_t bitmap = 0;                // the pointer over the area; 0: the standard one
};

// The areas of every level; only those from `base` on take part in hit tests. A push beyond
// the 32 levels is refused, so the level stack is never overrun.
struct MouseState : FamilyState {
  static constexpr size_t kAreas = 128, kLevels = 32;
  std::vector<MouseArea> areas;
  size_t base = 0;
  std::vector<size_t> levels;  // the bases below
  // Where the pointer was when its shape was last chosen during a wait for input.
  int64_t chosen_x = -1, chosen_y = -1;

  // The newest area of the current level containing x, y (image coordinates), or null.
  const MouseArea* Hit(int64_t x, int64_t y) const;
};

// The name of the area under the pointer, or "" (the click names INPUTCHAR stores).
std::string AreaUnderPointer(Interpreter& in);
// Gives the drawn pointer the picture of the area under it, or the arrow when that area has
// none (or its bitmap is gone).
void ChoosePointer(Interpreter& in);

void MouseAdd(Interpreter& in);     // text name, n x, n y, n width, n height, b or 0
void MouseRemove(Interpreter& in);  // text
void MouseRemoveAll(Interpreter& in);
void MousePushAndRemoveAll(Interpreter& in);
void MousePop(Interpreter& in);
void MouseAreaCommand(Interpreter& in);  // -> name
void MouseMode(Interpreter& in);         // n
void MousePresent(Interpreter& in);      // -> name
void MouseX(Interpreter& in);            // -> name
void MouseY(Interpreter& in);            // -> name
void MouseSetXY(Interpreter& in);        // n x, n y
void SystemColors(Interpreter& in);      // -> name

}  // namespace kinet::script::cmd
