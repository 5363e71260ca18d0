#include "frontend/core/page_settings.h"

#include <sstream>

namespace kinet::desk {
namespace {

template <typename E>
void Choice(PageKeys& keys, const char* key, E& value) {
  int index = static_cast<int>(value);
  keys.Integer(key, index);
  value = static_cast<E>(index);
}

// The sound output lists of the compression, mix and sound pages.
template <typename P>
void SoundLists(PageKeys& keys, P& page) {
  keys.Integer("Rate", page.rate);
  keys.Integer("Quality", page.bits);
  keys.Integer("Channels", page.channels);
}

// The palette tab of the compression and graphics pages.
template <typename P>
void PaletteTab(PageKeys& keys, P& page) {
  keys.Integer("Halftone", page.halftone);
  keys.Integer("PaletteControl", page.palette_control);
  keys.Integer("WindowsColors", page.system_colours);
  keys.Checked("PaletteEvery", page.palette_every);
  keys.Checked("PaletteColors", page.colours);
  keys.Checked("PaletteStart", page.start_index);
}

// The output and input side of the mix and sound pages, whose sections name some of the keys
// differently.
struct SoundKeys {
  const char *track, *start, *end, *type, *skip;
};
void SoundConversionKeys(PageKeys& keys, SoundConversion& page, const SoundKeys& names) {
  keys.Flag("Overwrite", page.overwrite);
  SoundLists(keys, page);
  keys.Checked(names.track, page.track);
  keys.Checked(names.start, page.start_ms);
  keys.Checked(names.end, page.end_ms);
  keys.Integer(names.type, page.input.type);
  keys.Text("ForceRate", page.input.forced_rate);
  keys.Text(names.skip, page.input.skip_bytes);
}

}  // namespace

void PageKeys::Flag(const char* key, bool& value) {
  if (from_) value = from_->Boolean(section_, key);
  if (to_) to_->SetBoolean(section_, key, value);
}

void PageKeys::Integer(const char* key, int& value) {
  if (from_) value = from_->Integer(section_, key);
  if (to_) to_->SetInteger(section_, key, value);
}

void PageKeys::Text(const char* key, std::string& value) {
  if (from_) value = from_->Text(section_, key);
  if (to_) to_->SetText(section_, key, value);
}

void PageKeys::Checked(const char* key, CheckedNumber& value) {
  Checked(key, (std::string(key) + "Num").c_str(), value);
}

void PageKeys::Checked(const char* key, const char* number_key, CheckedNumber& value) {
  Flag(key, value.on);
  Text(number_key, value.number);
}

void PageKeys::FrameSpecific(std::string& text) {
  if (from_) {
    text.clear();
    for (const std::string& line : from_->frame_specific) text += line + "\n";
  }
  if (to_) {
    to_->frame_specific.clear();
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
      if (!Trimmed(line).empty()) to_->frame_specific.push_back(Trimmed(line));
  }
}

const char* SectionOf(const PackPage&) { return "Kinet"; }
const char* SectionOf(const MixPage&) { return "KinetMix"; }
const char* SectionOf(const SoundConversion&) { return "ToneProcessor"; }
const char* SectionOf(const GraphicsPage&) { return "GraphicsProcessor"; }
const char* SectionOf(const PlayPage&) { return "KinetPlay"; }

void DescribeKeys(PageKeys& keys, PackPage& page) {
  Choice(keys, "RegularCompressType", page.regular.type);
  Choice(keys, "KeyCompressType", page.key.type);
  const char* kTypeKeys[4][2] = {{"NormalRate", "KeyRate"},
                                 {"NormalFilePerc", "KeyFilePerc"},
                                 {"NormalFramePerc", "KeyFramePerc"},
                                 {"NormalErrorPerc", "KeyErrorPerc"}};
  for (int type = 0; type < 4; ++type) {
    keys.Text(kTypeKeys[type][0], page.regular.numbers[type]);
    keys.Text(kTypeKeys[type][1], page.key.numbers[type]);
  }
  keys.Text("AutoKeyFrame", page.auto_key);
  keys.Checked("KeyFrames", page.key_every);
  keys.Integer("YScale", page.height);
  keys.Integer("OutputType", page.output_type);
  keys.Flag("MixOriginal", page.mix_original);
  keys.Flag("Overwrite", page.overwrite);
  keys.Checked("Start", page.start);
  keys.Checked("End", page.end);
  keys.Checked("FrameRate", page.frame_rate);
  keys.Checked("X", page.x);
  keys.Checked("Y", page.y);
  keys.Checked("W", page.width);
  keys.Checked("H", page.height_px);
  keys.Flag("Ring", page.ring);
  keys.Flag("EveryOther", page.every_other);
  keys.Flag("NoSound", page.no_sound);
  keys.Integer("LossySound", page.lossy);
  SoundLists(keys, page);
  PaletteTab(keys, page);
  keys.FrameSpecific(page.expert);
}

void DescribeKeys(PageKeys& keys, MixPage& page) {
  keys.Integer("Track", page.track);
  keys.Integer("Lossy", page.lossy);
  keys.Checked("FrameRate", page.frame_rate);
  keys.Checked("Start", page.start_frame);
  keys.Flag("Loop", page.loop);
  SoundConversionKeys(keys, page.sound,
                      {"InputTrack", "InputStart", "InputEnd", "Format", "SkipIntoNum"});
}

void DescribeKeys(PageKeys& keys, SoundConversion& page) {
  SoundConversionKeys(keys, page, {"Track", "Start", "End", "InputType", "SkipBytes"});
}

void DescribeKeys(PageKeys& keys, GraphicsPage& page) {
  keys.Integer("OutputType", page.output_type);
  PaletteTab(keys, page);
  keys.Flag("Overwrite", page.overwrite);
  keys.Checked("XOffset", page.x);
  keys.Checked("YOffset", page.y);
  keys.Checked("Width", page.width);
  keys.Checked("Height", page.height);
  keys.Checked("Start", page.start);
  keys.Checked("End", page.end);
}

void DescribeKeys(PageKeys& keys, PlayPage& page) {
  keys.Checked("Loop", page.loop);
  keys.Checked("FrameRate", page.frame_rate);
  keys.Flag("Preload", page.preload);
  keys.Flag("ShowSummary", page.summary);
  keys.Flag("NoFrameDrop", page.no_drop);
  keys.Checked("X", page.x);
  keys.Checked("Y", page.y);
  keys.Checked("W", page.width);
  keys.Checked("H", page.height);
  keys.Flag("SoundOnly", page.sound_only);
  keys.Flag("DoubleBuffer", page.double_buffer);
  keys.Integer("Style", page.window_style);
  keys.Flag("NoClear", page.no_clear);
  keys.Flag("NoRemap", page.no_remap);
  keys.Flag("LoadExtra", page.extra_read_ahead);
  keys.Flag("DeltasOnly", page.changes_only);
  keys.Flag("NoPause", page.keep_playing_unfocused);
  keys.Flag("DirectSound", page.device_sound);
  keys.Flag("ShowFrames", page.frame_numbers);
  keys.Integer("Display", page.display);
  keys.Integer("Use", page.resolution);
  keys.Integer("Tracks", page.tracks);
  keys.Integer("DisabledControls", page.controls);
  keys.Integer("YScale", page.height_mode);
  keys.Checked("Simulate", page.simulate);
  keys.Checked("ExtraMem", page.extra_memory);
}

}  // namespace kinet::desk
