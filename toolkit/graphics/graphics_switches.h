// The graphics input switches shared by the compressor and the graphics processor, read in
// this order: /S# /E# (frame range), /X# /Y# /W# /H# (sub-frame), /Q# /I# /U# /P# /T# /D#
// (colour work) and /& with a file name (palette source).
#pragma once

#include <span>

#include "toolkit/graphics/graphics_source.h"
#include "toolkit/switches.h"

namespace kinet::toolkit {

// The entries a tool adds to its switch table.
extern const KnownSwitch kGraphicsSwitches[13];

struct GraphicsSwitches {
  int32_t start = 0, end = 0;
  SubFrame sub_frame;
  PaletteSettings palette;
};

// Takes the graphics switches out of `line`. Normalises: /Q 0 or outside 1..256 becomes 256;
// /I defaults to (256 - Q) / 2, a negative one becomes 0, and it is lowered so that I + Q is
// at most 256; /U 0, negative or above 65536 becomes 65536. /P, /T and /D are kept as given.
GraphicsSwitches ReadGraphicsSwitches(SwitchLine& line);

// Source options from the switches, with the tool's callbacks and progress label.
SourceOptions MakeSourceOptions(const GraphicsSwitches& switches, GraphicsCallbacks callbacks,
                                std::string label);

// The FrameRate an output takes: the source's `source_rate` unless the /F value `f` overrides
// it (below -1500 a raw period, -1500..-1 milliseconds per frame, above 0 frames per second).
int32_t OutputFrameRate(int32_t source_rate, int32_t f);

}  // namespace kinet::toolkit
