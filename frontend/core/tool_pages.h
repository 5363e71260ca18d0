// The mix, sound, graphics, play and script pages without widgets: what each offers and the
// command its button builds. Names come from CommandNames; list indices count from 0, the
// first item being the tool's own default.
#pragma once

#include <string>

#include "frontend/core/page_names.h"
#include "frontend/core/switch_text.h"

namespace kinet::desk {

// The input-type list of the mix and sound pages with the two fields that go with it.
struct SoundInputType {
  int type = 0;  // "Use the default input type." ... "Input file contains non-sound data."
  std::string forced_rate, skip_bytes;
};

// What the mix and sound pages share: output lists and the input's track and times.
struct SoundConversion {
  int rate = 0, bits = 0, channels = 0;
  std::string typed_rate;
  bool overwrite = false;
  CheckedNumber track, start_ms, end_ms;
  SoundInputType input;
};

struct MixPage {
  int track = 1;  // "Track 1" .. "Track 7"
  int lossy = 0;
  CheckedNumber frame_rate, start_frame;
  bool loop = false;
  SoundConversion sound;
};
// "KinetMix <video> <sound> <output> /L../M../F../G../P/O..." (names: all three).
std::string MixCommand(const MixPage& page, const std::string& names);

// "TonWorkW <input> <output> /O/R../B../C../T../S../E../Y../D../K..".
std::string SoundCommand(const SoundConversion& page, const std::string& names);

// The graphics processor's output types, the index being the "&Type" menu's and OutputType's.
constexpr const char* kGraphicsOutputTypes[] = {"flc", "bmp", "jpg", "tga", "tif", "pcx", "gif"};

struct GraphicsPage {
  int output_type = 0;
  CheckedNumber colours, start_index, palette_every;
  int halftone = 0, palette_control = 0, system_colours = 0;
  std::string palette_file{kPaletteFromInput};  // or empty: none
  bool overwrite = false;
  CheckedNumber frame_rate, start, end, x, y, width, height;
};
// "PixWorkW <input> <output> /Q../I../T../P../D../U../&../O/F../S../E../X../Y../W../H..".
std::string GraphicsCommand(const GraphicsPage& page, const std::string& names,
                            const std::string& input_dir);

struct PlayPage {
  CheckedNumber loop, frame_rate;  // checked with an empty number: forever, as fast as possible
  bool preload = false, summary = false, no_drop = false;
  CheckedNumber x, y, width, height;
  bool sound_only = false, double_buffer = false;
  int window_style = 0;
  bool no_clear = false, no_remap = false, extra_read_ahead = false, changes_only = false;
  bool keep_playing_unfocused = false, device_sound = false, frame_numbers = false;
  int display = 0, resolution = 0;
  int tracks = 127;
  int controls = 0, height_mode = 0;
  CheckedNumber simulate, extra_memory;
};
// "KinetPlay <file> /L/F/P..." in the order of the page's controls.
std::string PlayCommand(const PlayPage& page, const std::string& file);

// A command to run, or the error to show instead.
struct PageCommand {
  std::string command, error;
};

// The script page's run: the file tab's script, or the edit tab's script once saved (an
// unsaved script has no file).
constexpr std::string_view kScriptNotSaved = "Error: this script hasn't been saved yet.";
PageCommand ScriptCommand(const std::string& file);

// The frame-rate "Perm." buttons: "KinetFR <file> /f<rate>", asked with kPermQuestion first.
constexpr std::string_view kPermQuestion =
    "Are you sure you want to change the frame rate permanently?";
constexpr std::string_view kPermNoRate = "Error, a frame rate number must be entered.";
constexpr std::string_view kPermNoFile = "Error, no file is highlighted.";
PageCommand FrameRateCommand(const std::string& file, const std::string& rate);

}  // namespace kinet::desk
