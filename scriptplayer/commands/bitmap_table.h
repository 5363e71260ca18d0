// The memory bitmaps scripts refer to by handle number, 9000-9127. Freeing clears the slot, so
// the lowest free slot is reused first.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "scriptplayer/drawing/pixels.h"

namespace kinet::script {

inline constexpr int32_t kBitmapHandleBase = 9000;

// A memory image: 8-bit palette indices, rows of width bytes, and an optional palette of 256
// entries of red, green and blue (0-255).
struct Bitmap {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;
  std::unique_ptr<std::array<uint8_t, 768>> palette;

  uint8_t& At(int32_t x, int32_t y) { return pixels[static_cast<size_t>(y) * width + x]; }
  bool Contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  PixelView View() { return {pixels.data(), width, height, static_cast<size_t>(width)}; }
};

class BitmapTable {
 public:
  static constexpr size_t kSlots = 128;

  // `budget` bounds the pixel bytes of all bitmaps together.
  explicit BitmapTable(size_t budget = size_t{512} << 20) : budget_(budget) {}

  // Allocates a cleared bitmap; returns its handle, or 0 for sizes below 1, a full table or an
  // exhausted budget.
  int32_t Allocate(int32_t width, int32_t height);
  Bitmap* Get(int32_t handle) const;
  bool Free(int32_t handle);
  std::vector<int32_t> Handles() const;

 private:
  std::array<std::unique_ptr<Bitmap>, kSlots> slots_;
  size_t budget_;
  size_t used_ = 0;
};

}  // namespace kinet::script
