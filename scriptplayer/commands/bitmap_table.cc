#include "scriptplayer/commands/bitmap_table.h"

namespace kinet::script {

int32_t BitmapTable::Allocate(int32_t width, int32_t height) {
  if (width < 1 || height < 1) return 0;
  size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height);
  if (bytes > budget_ - used_) return 0;
  for (size_t i = 0; i < kSlots; ++i) {
    if (slots_[i]) continue;
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->width = width;
    bitmap->height = height;
    bitmap->pixels.assign(bytes, 0);
    slots_[i] = std::move(bitmap);
    used_ += bytes;
    return kBitmapHandleBase + static_cast<int32_t>(i);
  }
  return 0;
}

Bitmap* BitmapTable::Get(int32_t handle) const {
  int64_t slot = int64_t{handle} - kBitmapHandleBase;
  if (slot < 0 || slot >= static_cast<int64_t>(kSlots)) return nullptr;
  return slots_[static_cast<size_t>(slot)].get();
}

bool BitmapTable::Free(int32_t handle) {
  Bitmap* bitmap = Get(handle);
  if (!bitmap) return false;
  used_ -= bitmap->pixels.size();
  slots_[static_cast<size_t>(handle - kBitmapHandleBase)].reset();
  return true;
}

std::vector<int32_t> BitmapTable::Handles() const {
  std::vector<int32_t> handles;
  for (size_t i = 0; i < kSlots; ++i) {
    if (slots_[i]) handles.push_back(kBitmapHandleBase + static_cast<int32_t>(i));
  }
  return handles;
}

}  // namespace kinet::script
