#include "tools/kntinfow/info_settings.h"

namespace kinet::info {

namespace {

constexpr toolkit::KnownSwitch kSwitches[] = {
    {'F', toolkit::SwitchKind::kFlag},   {'D', toolkit::SwitchKind::kText},
    {'W', toolkit::SwitchKind::kText},   {'O', toolkit::SwitchKind::kFlag},
    {'S', toolkit::SwitchKind::kNumber}, {'E', toolkit::SwitchKind::kNumber}};

}  // namespace

std::span<const toolkit::KnownSwitch> InfoSwitches() { return kSwitches; }

std::optional<InfoSettings> ReadInfoSettings(toolkit::SwitchLine& line) {
  InfoSettings s;
  s.list = line.TakeFlag('F');
  s.folder = line.TakeText('D');
  s.output = line.TakeText('W');
  s.overwrite = line.TakeFlag('O');
  const int32_t first = line.TakeNumber('S').value_or(1);
  const int32_t last = line.TakeNumber('E').value_or(INT32_MAX);
  if (line.HasLeftover() || line.names().size() != 1 || first < 1 || last < first)
    return std::nullopt;
  s.path = line.names()[0];
  s.first = static_cast<uint32_t>(first);
  s.last = static_cast<uint32_t>(last);
  return s;
}

}  // namespace kinet::info
