#include "toolkit/allocator.h"

#include <cstdint>
#include <cstring>

namespace kinet::toolkit {

Block AllocateBlock(size_t bytes, StatusFrame& frame) {
  if (bytes == 0 || bytes == SIZE_MAX) return nullptr;
  auto* block =
      static_cast<std::byte*>(::operator new[](bytes, std::align_val_t{16}, std::nothrow));
  if (block == nullptr) {
    frame.ShowError(kOutOfMemory);
    return nullptr;
  }
  std::memset(block, 0, bytes);
  return Block(block);
}

}  // namespace kinet::toolkit
