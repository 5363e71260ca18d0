#include "frontend/core/tool_pages.h"


namespace kinet::desk {
namespace {

// "/T", "/S", "/E", then the input type with its forced rate and skipped bytes.
void SoundInput(SwitchText& s, const SoundConversion& page) {
  s.Checked('T', page.track).Checked('S', page.start_ms).Checked('E', page.end_ms);
  if (page.input.type <= 0) return;
  s.Choice('Y', page.input.type).Value('D', page.input.forced_rate).Value('K', page.input.skip_bytes);
}

}  // namespace

std::string MixCommand(const MixPage& page, const std::string& names) {
  SwitchText s;
  if (page.lossy != 0) s.Value('L', std::to_string(page.lossy));
  if (page.track != 1) s.Value('M', std::to_string(page.track));
  s.Checked('F', page.frame_rate).Checked('G', page.start_frame).Flag('P', page.loop);
  s.Flag('O', page.sound.overwrite);
  SoundOutput(s, page.sound.rate, page.sound.typed_rate, page.sound.bits, page.sound.channels);
  SoundInput(s, page.sound);
  return "KinetMix " + names + " " + s.text();
}

std::string SoundCommand(const SoundConversion& page, const std::string& names) {
  SwitchText s;
  s.Flag('O', page.overwrite);
  SoundOutput(s, page.rate, page.typed_rate, page.bits, page.channels);
  SoundInput(s, page);
  return "TonWorkW " + names + " " + s.text();
}

std::string GraphicsCommand(const GraphicsPage& page, const std::string& names,
                            const std::string& input_dir) {
  SwitchText s;
  s.Checked('Q', page.colours).Checked('I', page.start_index);
  s.Choice('T', page.halftone).Choice('P', page.palette_control).Choice('D', page.system_colours);
  s.Checked('U', page.palette_every);
  if (!page.palette_file.empty() && page.palette_file != kPaletteFromInput)
    s.Name('&', RelativeName(page.palette_file, input_dir));
  s.Flag('O', page.overwrite).Checked('F', page.frame_rate).Checked('S', page.start);
  s.Checked('E', page.end).Checked('X', page.x).Checked('Y', page.y);
  s.Checked('W', page.width).Checked('H', page.height);
  return "PixWorkW " + names + " " + s.text();
}

std::string PlayCommand(const PlayPage& page, const std::string& file) {
  SwitchText s;
  // Loop and frame rate give their switch bare when checked without a number.
  for (const auto& [letter, field] : {std::pair{'L', &page.loop}, std::pair{'F', &page.frame_rate}})
    if (field->on) s.Flag(letter, field->number.empty()).Value(letter, field->number);
  s.Flag('P', page.preload).Flag('S', page.summary).Flag('N', page.no_drop);
  s.Checked('X', page.x).Checked('Y', page.y).Checked('W', page.width).Checked('H', page.height);
  s.Flag('O', page.sound_only).Flag('B', page.double_buffer).Choice('I', page.window_style);
  s.Flag('C', page.no_clear).Flag('R', page.no_remap).Flag('G', page.extra_read_ahead);
  s.Flag('K', page.changes_only).Flag('J', page.keep_playing_unfocused);
  s.Flag('Z', page.device_sound).Flag('Q', page.frame_numbers);
  s.Choice('V', page.display).Choice('D', page.resolution);
  if (page.tracks != 127) s.Value('T', std::to_string(page.tracks));
  s.Choice('U', page.controls).Choice('A', page.height_mode);
  s.Checked('M', page.simulate).Checked('E', page.extra_memory);
  return "KinetPlay " + file + " " + s.text();
}

PageCommand ScriptCommand(const std::string& file) {
  if (file.empty()) return {"", std::string(kScriptNotSaved)};
  return {"KinetScript " + file, ""};
}

PageCommand FrameRateCommand(const std::string& file, const std::string& rate) {
  if (file.empty()) return {"", std::string(kPermNoFile)};
  if (rate.empty()) return {"", std::string(kPermNoRate)};
  return {"KinetFR " + file + " /f" + rate, ""};
}

}  // namespace kinet::desk
