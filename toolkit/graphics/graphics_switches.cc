#include "toolkit/graphics/graphics_switches.h"

#include <algorithm>

namespace kinet::toolkit {

const KnownSwitch kGraphicsSwitches[13] = {
    {'S', SwitchKind::kNumber}, {'E', SwitchKind::kNumber}, {'X', SwitchKind::kNumber},
    {'Y', SwitchKind::kNumber}, {'W', SwitchKind::kNumber}, {'H', SwitchKind::kNumber},
    {'Q', SwitchKind::kNumber}, {'I', SwitchKind::kNumber}, {'U', SwitchKind::kNumber},
    {'P', SwitchKind::kNumber}, {'T', SwitchKind::kNumber}, {'D', SwitchKind::kNumber},
    {'&', SwitchKind::kText},
};

GraphicsSwitches ReadGraphicsSwitches(SwitchLine& line) {
  GraphicsSwitches s;
  s.start = line.TakeNumber('S').value_or(0);
  s.end = line.TakeNumber('E').value_or(0);
  s.sub_frame.x = line.TakeNumber('X').value_or(0);
  s.sub_frame.y = line.TakeNumber('Y').value_or(0);
  s.sub_frame.width = line.TakeNumber('W').value_or(0);
  s.sub_frame.height = line.TakeNumber('H').value_or(0);
  PaletteSettings& p = s.palette;
  p.colours = line.TakeNumber('Q').value_or(256);
  if (p.colours <= 0 || p.colours > 256) p.colours = 256;
  const auto start_index = line.TakeNumber('I');
  p.start_index = std::clamp(start_index.value_or((256 - p.colours) / 2), 0, 256 - p.colours);
  p.period = line.TakeNumber('U').value_or(65536);
  if (p.period <= 0 || p.period > 65536) p.period = 65536;
  p.mode = line.TakeNumber('P').value_or(0);
  p.halftone = line.TakeNumber('T').value_or(0);
  p.system_colours = line.TakeNumber('D').value_or(0);
  p.palette_file = line.TakeText('&');
  return s;
}

SourceOptions MakeSourceOptions(const GraphicsSwitches& switches, GraphicsCallbacks callbacks,
                                std::string label) {
  SourceOptions o;
  o.callbacks = std::move(callbacks);
  o.label = std::move(label);
  o.palette = switches.palette;
  o.start = switches.start, o.end = switches.end;
  o.sub_frame = switches.sub_frame;
  return o;
}

int32_t OutputFrameRate(int32_t source_rate, int32_t f) {
  if (f == 0) return source_rate;
  if (f < -1500) return f;
  if (f < 0) return f * 100;
  return -100000 / f;
}

}  // namespace kinet::toolkit
