// kinetpackw's command line: the job settings read from the switches, the derived parameters
// of a run, and the three usage boxes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "toolkit/graphics/graphics_switches.h"
#include "toolkit/switches.h"

namespace kinet::pack {

// The switch table: report, job, graphics and sound switches.
std::span<const toolkit::KnownSwitch> SwitchTable();

// The usage: three boxes, the last one informational.
extern const std::array<std::string_view, 3> kUsageBoxes;

struct PackSettings {
  uint32_t min_key_distance = 0x10000000;  // /J; 0 becomes the default (no forced keys)
  bool mix_original = false;               // /M
  uint32_t height_mode = 0;                // /Z: 0, 1 interlaced, 2 doubled
  uint32_t auto_key_percent = 95;          // /A: 0..100
  int32_t regular_rate = 240000;           // /N rate code
  int32_t key_rate = 240000;               // /K rate code; without /K, /N's
  bool every_other = false;                // /V
  int32_t frame_rate = 0;                  // /F: 0 keeps the source's
  bool ring_frame = false;                 // /G
  std::string hint_file;                   // /@ without a leading '*'
  bool delete_hint_file = false;           // the name began with '*'
  bool overwrite = false;                  // /O
  toolkit::GraphicsSwitches graphics;
  int32_t sound_level = 0;  // /L: 0..9 codes sound, anything else none
  int32_t sound_rate = 0, sound_bits = 0, sound_channels = 0;  // /R /B /C: 0 keeps the source's
  std::string input, output;
};

// Reads every switch after the report switches, then the two names. Nothing when the line is
// a syntax error (an invalid rate code, a switch left over, a missing or extra name).
std::optional<PackSettings> ReadPackSettings(toolkit::SwitchLine& line);

// P in 10-microsecond units of a FrameRate value.
uint32_t PeriodOf(int32_t frame_rate);

// The output name with ".knt" appended when its last component has no extension.
std::string WithDefaultExtension(const std::string& name);

// What a run derives from the settings and the opened source.
struct RunShape {
  uint32_t width = 0, height = 0;  // the stored picture
  uint32_t line_step = 1;          // source lines per stored line (2 in the height modes)
  uint32_t frames = 0;             // frames to encode, the ring frame included
  uint32_t header_flags = 0;
  uint32_t auto_key_blocks = 0;
};
RunShape ShapeRun(const PackSettings& s, uint32_t source_width, uint32_t source_height,
                  uint32_t source_frames);

}  // namespace kinet::pack
