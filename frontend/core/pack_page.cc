#include "frontend/core/pack_page.h"

#include <algorithm>
#include <cctype>


namespace kinet::desk {
namespace {

std::string LeadingDigits(const std::string& text) {
  const auto end = std::find_if_not(text.begin(), text.end(),
                                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
  return std::string(text.begin(), end);
}

}  // namespace

std::string RateCode(const RateChoice& choice) {
  if (choice.type == RateType::kLossless) return "0";
  const std::string digits = LeadingDigits(choice.number());
  if (digits.empty()) return "";
  switch (choice.type) {
    case RateType::kPercentOfAverage:
      return "-" + digits;
    case RateType::kPercentOfSize:
      return "-" + std::to_string(std::stoll(digits.substr(0, 15)) + 400);
    default:
      return digits;
  }
}

std::string PackCommand(const PackPage& page, const std::string& names,
                        const std::string& input_dir, const ExpertFileWriter& write_expert) {
  SwitchText s;
  s.Value('N', RateCode(page.regular)).Value('K', RateCode(page.key));
  s.Value('A', LeadingDigits(page.auto_key)).Checked('J', page.key_every).Choice('Z', page.height);
  s.Flag('M', page.mix_original).Flag('V', page.every_other).Flag('G', page.ring);
  if (!page.expert.empty())
    if (const std::string file = write_expert(page.expert); !file.empty())
      s.Name('@', "*" + RelativeName(file, input_dir));
  s.Checked('S', page.start).Checked('E', page.end).Checked('F', page.frame_rate);
  s.Checked('X', page.x).Checked('Y', page.y).Checked('W', page.width).Checked('H', page.height_px);
  s.Value('L', page.no_sound ? "-1" : std::to_string(page.lossy)).Blank();
  if (!page.no_sound) SoundOutput(s, page.rate, page.typed_rate, page.bits, page.channels);
  s.Checked('Q', page.colours).Checked('I', page.start_index);
  s.Choice('T', page.halftone).Choice('P', page.palette_control).Choice('D', page.system_colours);
  s.Checked('U', page.palette_every);
  if (!page.palette_file.empty() && page.palette_file.find("input file") == std::string::npos)
    s.Name('&', RelativeName(page.palette_file, input_dir));
  s.Flag('O', page.overwrite);
  return "KinetPack " + names + " " + s.text();
}

}  // namespace kinet::desk
