// Drawing on 8-bit pictures: memory bitmaps and the player's image alike. Every routine is
// clipped to the picture, so no coordinates a script gives can reach outside it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace kinet::script {

// A picture of width x height palette indices, rows `pitch` bytes apart.
struct PixelView {
  uint8_t* pixels = nullptr;
  int32_t width = 0, height = 0;
  size_t pitch = 0;

  bool Contains(int64_t x, int64_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint8_t& At(int64_t x, int64_t y) const { return pixels[size_t(y) * pitch + size_t(x)]; }
};

// A rectangle of a picture; empty when w or h is 0.
struct PixelRect {
  int64_t x = 0, y = 0, w = 0, h = 0;
};

void Plot(const PixelView& view, int64_t x, int64_t y, uint8_t colour);
// Bresenham's line between the end points, both included. Returns the rectangle it touched
// (clipped to the picture).
PixelRect DrawLine(const PixelView& view, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                   uint8_t colour);
// The outline through the corners (x, y) and (x + w, y + h).
PixelRect DrawBox(const PixelView& view, int64_t x, int64_t y, int64_t w, int64_t h,
                  uint8_t colour);
// Fills w x h pixels from (x, y); returns the part inside the picture.
PixelRect FillBox(const PixelView& view, int64_t x, int64_t y, int64_t w, int64_t h,
                  uint8_t colour);
// The part of the rectangle inside the picture.
PixelRect ClipRect(const PixelView& view, PixelRect rect);

// Copies `source` into `target` with its top-left corner at (x, y) where `keep(sx, sy)` holds
// for the source pixel; returns the target rectangle covered.
template <typename Keep>
PixelRect CopyPixels(const PixelView& source, const PixelView& target, int64_t x, int64_t y,
                     Keep keep) {
  const int64_t x0 = std::max<int64_t>(0, -x), y0 = std::max<int64_t>(0, -y);
  const int64_t x1 = std::min<int64_t>(source.width, target.width - x);
  const int64_t y1 = std::min<int64_t>(source.height, target.height - y);
  if (x1 <= x0 || y1 <= y0) return {};
  for (int64_t sy = y0; sy < y1; ++sy) {
    for (int64_t sx = x0; sx < x1; ++sx) {
      if (keep(sx, sy)) target.At(sx + x, sy + y) = source.At(sx, sy);
    }
  }
  return {x0 + x, y0 + y, x1 - x0, y1 - y0};
}

// Brightness of an RGB entry, and the index of the brightest or darkest of 256 entries.
int64_t Brightness(const uint8_t* rgb);
int BrightestEntry(const uint8_t* palette);
int DarkestEntry(const uint8_t* palette);
// The first of the indices 0, 1 and 2 that is neither a nor b (a key for transparent pixels).
inline uint8_t IndexBesides(uint8_t a, uint8_t b) {
  uint8_t key = 0;
  while (key == a || key == b) ++key;
  return key;
}

}  // namespace kinet::script
