// What the language engine needs from the player around it. The engine runs without a window
// until the player window exists; this is the seam through which the window, its messages and
// the sound service are reached.
#pragma once

#include <string_view>

namespace kinet::script {

class PlayerHost {
 public:
  virtual ~PlayerHost() = default;
  // Pumps window messages and services the sound output. Called between commands, after
  // every loaded line and inside every wait. While auto-pause holds the script (the window
  // lacks the focus), it keeps pumping before it returns.
  virtual void Pump() {}
  // True while the player window exists.
  virtual bool WindowExists() const { return false; }
  // Draws one line of text at the text cursor (listings when no debug file is open).
  virtual void DrawTextLine(std::string_view text) {}
};

}  // namespace kinet::script
