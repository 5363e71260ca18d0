// Shared pieces of the graphics input and output tests: private folders, callbacks that
// record what they were told, and frames with known contents.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/graphics/graphics_callbacks.h"

namespace kinet::toolkit::testing {

// A fresh folder for the running test (with a trailing '/'); all are removed at exit.
std::string TestFolder();

// Records every callback: (code, text) pairs, and the paths asked about.
struct Recorder {
  std::vector<std::pair<ProgressCode, std::string>> calls;
  std::vector<std::string> asked;
  bool answer = true;     // the overwrite answer
  int cancel_after = -1;  // cancel at this progress call (counted from 0); -1 never

  GraphicsCallbacks Callbacks();
  std::vector<std::string> Errors() const;
  bool Said(const std::string& text) const;
};

struct TestFrame {
  std::vector<uint8_t> pixels;
  std::array<uint8_t, 768> palette{};
};

// A picture of width x height with a few areas, noise and a moving bar; `seed` varies it.
TestFrame PatternFrame(uint32_t width, uint32_t height, uint32_t seed);

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace kinet::toolkit::testing
