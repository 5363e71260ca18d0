// pixworkw's command line: the settings read from the switches and the two usage boxes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "toolkit/graphics/graphics_switches.h"
#include "toolkit/switches.h"

namespace kinet::pix {

// The switch table: report, overwrite, frame rate and graphics switches.
std::span<const toolkit::KnownSwitch> SwitchTable();

// The usage: two boxes, the second one informational.
extern const std::array<std::string_view, 2> kUsageBoxes;

struct PixSettings {
  bool overwrite = false;  // /O
  int32_t frame_rate = 0;  // /F: 0 keeps the source's (toolkit::OutputFrameRate)
  toolkit::GraphicsSwitches graphics;
  std::string input, output;  // the output as typed, without the default extension
};

// Reads every switch after the report switches (O, F, then the graphics switches), then the
// two names. Nothing when the line is a syntax error (a switch left over, a missing or extra
// name).
std::optional<PixSettings> ReadPixSettings(toolkit::SwitchLine& line);

// The output name with ".flc" appended when its last component has no extension.
std::string OutputName(const std::string& name);

}  // namespace kinet::pix
