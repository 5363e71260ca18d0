#include "scriptplayer/engine/file_table.h"

namespace kinet::script {

int32_t FileTable::Add(std::unique_ptr<ScriptFile> file) {
  for (size_t i = 0; i < kSlots; ++i) {
    if (!slots_[i]) {
      slots_[i] = std::move(file);
      return kFileHandleBase + static_cast<int32_t>(i);
    }
  }
  return 0;
}

ScriptFile* FileTable::Get(int32_t handle) const {
  int64_t slot = int64_t{handle} - kFileHandleBase;
  if (slot < 0 || slot >= static_cast<int64_t>(kSlots)) return nullptr;
  return slots_[static_cast<size_t>(slot)].get();
}

bool FileTable::Close(int32_t handle) {
  if (!Get(handle)) return false;
  slots_[static_cast<size_t>(handle - kFileHandleBase)].reset();
  return true;
}

void FileTable::CloseAll() {
  for (auto& slot : slots_) slot.reset();
}

std::vector<int32_t> FileTable::OpenHandles() const {
  std::vector<int32_t> handles;
  for (size_t i = 0; i < kSlots; ++i) {
    if (slots_[i]) handles.push_back(kFileHandleBase + static_cast<int32_t>(i));
  }
  return handles;
}

}  // namespace kinet::script
