// The tools' allocator: blocks aligned to 16 bytes, and the one message for exhausted memory.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "toolkit/status_frame.h"

namespace kinet::toolkit {

inline constexpr std::string_view kOutOfMemory = "Error: ran out of memory!";

struct AlignedFree {
  void operator()(std::byte* block) const { ::operator delete[](block, std::align_val_t{16}); }
};
using Block = std::unique_ptr<std::byte[], AlignedFree>;

// A zeroed block of `bytes` bytes aligned to 16. A request of 0 or of SIZE_MAX (the "-1" of a
// failed size computation) gives nothing, silently. When memory is exhausted, shows
// kOutOfMemory with the error icon and gives nothing; the caller treats that as a failure.
Block AllocateBlock(size_t bytes, StatusFrame& frame);

// Resizes `items` to `count` elements; on exhaustion shows kOutOfMemory and returns false with
// `items` unchanged.
template <typename T>
[[nodiscard]] bool ResizeOrReport(std::vector<T>& items, size_t count, StatusFrame& frame) {
  try {
    items.resize(count);
    return true;
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  frame.ShowError(kOutOfMemory);
  return false;
}

}  // namespace kinet::toolkit
