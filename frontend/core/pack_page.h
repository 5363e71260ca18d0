// The compression page without widgets: every choice it offers, its Defaults, and the
// kinetpackw command line its run button builds.
#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <string>

#include "frontend/core/page_names.h"
#include "frontend/core/switch_text.h"

namespace kinet::desk {

// The files the compression page and the list editor offer, as the file pickers read it.
inline constexpr const char* kGraphicsFilter =
    "Graphics files|*.avi;*.flc;*.fli;*.knt;*.tga;*.bmp;*.jpg;*.pcx;*.tif;*.gif;*.lst|AVI files "
    "only|*.avi|Flic files only|*.flc;*.fli|Kinet files only|*.knt|TGA files only|*.tga|BMP files "
    "only|*.bmp|JPG files only|*.jpg|PCX files only|*.pcx|TIF files only|*.tif|GIF files "
    "only|*.gif|List files only|*.lst|WAV files only|*.wav|All files *.*|*.*";

// The items of the two compression-type lists, in order.
enum class RateType { kDataRate, kPercentOfAverage, kPercentOfSize, kErrorPercent, kLossless };

// A compression-type list with the number remembered for each type: choosing a type shows
// its own number again (data rate, % of the average frame, % of its size, error %;
// losslessly has no number).
struct RateChoice {
  RateChoice() = default;
  RateChoice(RateType t, std::string shown) : type(t) { number() = std::move(shown); }
  RateChoice(RateType t, const std::array<std::string, 4>& by_type) : type(t) {
    std::copy(by_type.begin(), by_type.end(), numbers.begin());
  }

  // The field shown for the type (an unused one for losslessly).
  std::string& number() { return numbers[std::min(static_cast<size_t>(type), size_t{4})]; }
  const std::string& number() const {
    return numbers[std::min(static_cast<size_t>(type), size_t{4})];
  }

  RateType type = RateType::kDataRate;
  std::array<std::string, 5> numbers;
};

// A page as made here is the page the Defaults button leaves.
struct PackPage {
  // Kinet tab
  RateChoice regular{RateType::kDataRate, {"240000", "80", "80", "65"}};
  RateChoice key{RateType::kErrorPercent, {"300000", "90", "90", "20"}};
  std::string auto_key = "95";
  CheckedNumber key_every;  // "Use a key frame at least every:"
  int height = 0;           // "None.", "Interlace.", "Double."
  // Output type menu: kOutputTypes[output_type] is the output's extension
  int output_type = 0;
  bool mix_original = false, overwrite = true;
  // Frame tab
  CheckedNumber start, end, frame_rate, x, y, width, height_px;
  bool ring = false, every_other = false;
  // Sound tab
  bool no_sound = false;
  int lossy = 0;
  int rate = 0, bits = 0, channels = 0;  // list indices
  std::string typed_rate;                // "Let me enter a specific rate."
  // Palette tab
  CheckedNumber colours, start_index, palette_every;
  int halftone = 0, palette_control = 0, system_colours = 0;
  std::string palette_file{kPaletteFromInput};
  // Expert tab: "Start End DataRate Key?" lines
  std::string expert;
};

// The compressor's output types, the index being the "&Type" menu's and OutputType's.
constexpr std::array<const char*, 8> kPackOutputTypes = {"knt", "flc", "bmp", "jpg",
                                                         "tga", "tif", "pcx", "gif"};

// The rate code of a choice: the leading digits of its number, "-" in front for a share of the
// average frame, "-" and 400 added for a share of its size, "0" losslessly; empty when the
// number has no leading digits.
std::string RateCode(const RateChoice& choice);

// Writes the Expert text into a new temporary file and returns its full path ("" on failure).
using ExpertFileWriter = std::function<std::string(const std::string& text)>;

// "KinetPack <names> /N.../K.../A... /L<n> ..." for `names` (from CommandNames) with
// `input_dir` the directory the command runs in.
std::string PackCommand(const PackPage& page, const std::string& names,
                        const std::string& input_dir, const ExpertFileWriter& write_expert);

}  // namespace kinet::desk
