// The table of settings keys: sections in file order, each key with its kind and default.
#include <initializer_list>
#include <string_view>

#include "frontend/core/settings.h"

namespace kinet::desk {
namespace {

class Table {
 public:
  explicit Table(std::vector<KeyInfo>& keys) : keys_(keys) {}
  Table& Section(const char* name) {
    section_ = name;
    return *this;
  }
  Table& Add(KeyKind kind, const char* fallback, std::initializer_list<const char*> names) {
    for (const char* name : names) keys_.push_back({section_, name, kind, fallback, Limit(name)});
    return *this;
  }
  Table& Strings(std::initializer_list<const char*> names) {
    return Add(KeyKind::kString, "", names);
  }
  Table& Integers(const char* fallback, std::initializer_list<const char*> names) {
    return Add(KeyKind::kInteger, fallback, names);
  }
  Table& Booleans(std::initializer_list<const char*> names) {
    return Add(KeyKind::kBoolean, "0", names);
  }
  Table& Numbers(const char* fallback, std::initializer_list<const char*> names) {
    return Add(KeyKind::kNumber, fallback, names);
  }

 private:
  // The longest text each number field takes.
  static size_t Limit(std::string_view name) {
    if (name == "NormalRate" || name == "KeyRate") return 9;
    if (name == "AutoKeyFrame") return 4;
    if (name == "InputStartNum" || name == "LoopNum") return 8;
    if (name.ends_with("Num") || name == "ForceRate" || name == "SkipBytes") return 11;
    return 0;
  }

  std::vector<KeyInfo>& keys_;
  const char* section_ = "";
};

std::vector<KeyInfo> MakeKeys() {
  std::vector<KeyInfo> keys;
  Table t(keys);
  // Directory, X and Y of KinetMain and KinetCommand's Directory depend on where the program
  // runs; Settings fills them in.
  t.Section("KinetMain").Strings({"Directory"}).Integers("0", {"X", "Y", "CurrentTab"});
  keys.push_back({"KinetMain", "ShowHints", KeyKind::kBoolean, "1", 0, false});

  t.Section("Kinet")
      .Strings({"Filename", "Directory", "OutputName", "OutputBasedOn"})
      .Integers("0", {"Filter", "RegularCompressType"})
      .Integers("3", {"KeyCompressType"})
      .Integers("0", {"YScale", "CurrentTab", "OutputType", "Halftone", "PaletteControl",
                      "WindowsColors", "LossySound", "Rate", "Quality", "Channels"})
      .Numbers("240000", {"NormalRate"})
      .Numbers("300000", {"KeyRate"})
      .Numbers("80", {"NormalFilePerc"})
      .Numbers("90", {"KeyFilePerc"})
      .Numbers("80", {"NormalFramePerc"})
      .Numbers("90", {"KeyFramePerc"})
      .Numbers("30", {"NormalErrorPerc"})
      .Numbers("20", {"KeyErrorPerc"})
      .Numbers("95", {"AutoKeyFrame"})
      .Booleans({"KeyFrames", "Start", "End", "FrameRate", "Ring", "EveryOther", "Overwrite",
                 "MixOriginal", "X", "Y", "W", "H", "PaletteEvery", "PaletteColors", "PaletteStart",
                 "NoSound"})
      .Numbers("", {"KeyFramesNum", "StartNum", "EndNum", "FrameRateNum", "XNum", "YNum", "WNum",
                    "HNum", "PaletteEveryNum", "PaletteColorsNum", "PaletteStartNum"});

  t.Section("KinetMix")
      .Strings({"KinetFilename", "KinetDirectory", "OutputName", "OutputBasedOn", "WaveFilename",
                "WaveDirectory"})
      .Integers("0", {"KinetFilter", "WaveFilter", "Lossy"})
      .Integers("1", {"Track"})
      .Integers("0", {"Format", "CurrentTab", "Rate", "Quality", "Channels"})
      .Booleans({"FrameRate", "Start", "Loop", "Overwrite", "InputStart", "InputEnd", "InputTrack"})
      .Numbers("", {"FrameRateNum", "StartNum", "SkipIntoNum", "InputStartNum", "InputEndNum",
                    "InputTrackNum", "ForceRate"});

  t.Section("KinetPlay")
      .Strings({"Filename", "Directory"})
      .Integers("0", {"Filter", "Display", "Use"})
      .Integers("127", {"Tracks"})
      .Integers("0", {"DisabledControls", "YScale", "CurrentTab", "Style"})
      .Booleans({"Loop",
                 "FrameRate",
                 "Preload",
                 "ShowSummary",
                 "NoFrameDrop",
                 "X",
                 "Y",
                 "W",
                 "H",
                 "ShowFrames",
                 "DirectSound",
                 "SoundOnly",
                 "DoubleBuffer",
                 "NoClear",
                 "NoRemap",
                 "LoadExtra",
                 "NoPause",
                 "DeltasOnly",
                 "Simulate",
                 "ExtraMem"})
      .Numbers("", {"LoopNum", "FrameRateNum", "XNum", "YNum", "WNum", "HNum", "SimulateNum",
                    "ExtraMemNum"});

  t.Section("KinetScript")
      .Strings({"Filename", "Directory", "GotoLine", "FindText"})
      .Integers("0", {"Filter"});

  t.Section("GraphicsProcessor")
      .Strings({"Filename", "Directory", "OutputName", "OutputBasedOn"})
      .Integers("0", {"Filter", "CurrentTab", "OutputType", "Halftone", "PaletteControl",
                      "WindowsColors"})
      .Booleans({"XOffset", "YOffset", "Width", "Height", "Start", "End", "Overwrite",
                 "PaletteEvery", "PaletteColors", "PaletteStart"})
      .Numbers("", {"XOffsetNum", "YOffsetNum", "WidthNum", "HeightNum", "StartNum", "EndNum",
                    "PaletteEveryNum", "PaletteColorsNum", "PaletteStartNum"});

  t.Section("ToneProcessor")
      .Strings({"Filename", "Directory", "OutputName", "OutputBasedOn"})
      .Integers("0", {"Filter", "Rate", "Quality", "Channels", "CurrentTab", "InputType"})
      .Booleans({"Overwrite", "Track", "Start", "End"})
      .Numbers("", {"TrackNum", "StartNum", "EndNum", "ForceRate", "SkipBytes"});

  t.Section("KinetCommand").Strings({"Directory"});
  return keys;
}

}  // namespace

const std::vector<KeyInfo>& SettingKeys() {
  static const std::vector<KeyInfo> keys = MakeKeys();
  return keys;
}

}  // namespace kinet::desk
