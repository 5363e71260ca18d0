#include "scriptplayer/engine/label_table.h"

namespace kinet::script {

bool LabelTable::Add(std::string upper_name, size_t position) {
  if (labels_.size() >= kCapacity) return false;
  labels_.push_back({std::move(upper_name), position});
  return true;
}

long LabelTable::Find(const std::string& upper_name) const {
  for (size_t i = labels_.size(); i > base_; --i) {
    if (labels_[i - 1].name == upper_name) return static_cast<long>(labels_[i - 1].position);
  }
  return -1;
}

}  // namespace kinet::script
