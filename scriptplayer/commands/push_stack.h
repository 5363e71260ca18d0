// Saved variable values for VARPUSH / VARPOP. The stack holds at most 8,192 bytes counted as
// in its byte form (three marker bytes per frame; per variable two markers, the name and the
// value); a variable that no longer fits is not saved, and VARPOP leaves it as it is.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace kinet::script {

class PushStack {
 public:
  static constexpr size_t kCapacity = 8192;

  // Opens a frame; false (and no frame) when not even the frame marker fits.
  bool OpenFrame();
  // Saves a variable's current value into the newest frame.
  void Save(const std::string& upper_name, const std::string& value);
  // Drops the newest frame and hands back its saved (NAME, value) pairs newest first, the
  // order in which they are restored. False when the stack is empty.
  bool Pop(std::vector<std::pair<std::string, std::string>>& saved);

 private:
  std::vector<std::vector<std::pair<std::string, std::string>>> frames_;
  size_t used_ = 0;
};

}  // namespace kinet::script
