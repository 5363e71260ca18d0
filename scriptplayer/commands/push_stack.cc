#include "scriptplayer/commands/push_stack.h"

namespace kinet::script {

bool PushStack::OpenFrame() {
  if (used_ + 3 > kCapacity) return false;
  used_ += 3;
  frames_.emplace_back();
  return true;
}

void PushStack::Save(const std::string& upper_name, const std::string& value) {
  size_t size = upper_name.size() + value.size() + 2;
  if (frames_.empty() || used_ + size > kCapacity) return;
  used_ += size;
  frames_.back().emplace_back(upper_name, value);
}

bool PushStack::Pop(std::vector<std::pair<std::string, std::string>>& saved) {
  if (frames_.empty()) return false;
  saved.assign(frames_.back().rbegin(), frames_.back().rend());
  for (const auto& [name, value] : saved) used_ -= name.size() + value.size() + 2;
  used_ -= 3;
  frames_.pop_back();
  return true;
}

}  // namespace kinet::script
