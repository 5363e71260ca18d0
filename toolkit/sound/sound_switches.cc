#include "toolkit/sound/sound_switches.h"

#include <algorithm>

namespace kinet::toolkit {
namespace {

constexpr std::string_view kAllLetters = "RCBSETYDK";
constexpr int32_t kDefaultRawRate = 11025;

}  // namespace

std::vector<KnownSwitch> SoundSwitchTable(std::string_view letters) {
  std::vector<KnownSwitch> table;
  for (char letter : kAllLetters) {
    if (letters.find(letter) != std::string_view::npos)
      table.push_back({letter, SwitchKind::kNumber});
  }
  return table;
}

std::vector<KnownSwitch> WithSoundSwitches(std::vector<KnownSwitch> own, std::string_view letters) {
  const std::vector<KnownSwitch> sound = SoundSwitchTable(letters);
  own.insert(own.end(), sound.begin(), sound.end());
  return own;
}

SoundOptions ReadSoundSwitches(SwitchLine& line, std::string_view letters) {
  int32_t values[kAllLetters.size()] = {};
  for (size_t i = 0; i < kAllLetters.size(); ++i) {
    if (letters.find(kAllLetters[i]) != std::string_view::npos)
      values[i] = line.TakeNumber(kAllLetters[i]).value_or(0);
  }
  auto value = [&](char letter) { return values[kAllLetters.find(letter)]; };
  SoundOptions options;
  options.rate = value('R');
  options.channels = value('C');
  options.bits = value('B');
  options.start = value('S');
  options.end = value('E');
  options.track = value('T');
  const int32_t type = value('Y');
  if (type >= 1 && type <= 5) {
    int32_t rate = value('D');
    if (rate < 1 || static_cast<uint32_t>(rate) > kMaxSoundRate) rate = kDefaultRawRate;
    options.raw_type = static_cast<uint32_t>(rate) * 8 + static_cast<uint32_t>(type - 1);
    options.skip = static_cast<uint32_t>(std::max(value('K'), 0));
  }
  return options;
}

}  // namespace kinet::toolkit
