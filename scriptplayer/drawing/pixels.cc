#include "scriptplayer/drawing/pixels.h"

#include <cmath>
#include <cstdlib>

namespace kinet::script {
namespace {

// Cuts a line that reaches far outside the picture down to a stretch near it, so drawing
// takes time in proportion to the picture and not to the coordinates.
void ClipFarLine(const PixelView& view, double& x1, double& y1, double& x2, double& y2) {
  const double lo = -2.0, hi_x = view.width + 1.0, hi_y = view.height + 1.0;
  double t0 = 0, t1 = 1, dx = x2 - x1, dy = y2 - y1;
  auto edge = [&](double p, double q) {
    if (p == 0) return q >= 0;
    double r = q / p;
    if (p < 0) {
      t0 = std::max(t0, r);
    } else {
      t1 = std::min(t1, r);
    }
    return t0 <= t1;
  };
  if (!edge(-dx, x1 - lo) || !edge(dx, hi_x - x1) || !edge(-dy, y1 - lo) || !edge(dy, hi_y - y1)) {
    x2 = x1 = lo;
    y2 = y1 = lo;
    return;
  }
  double sx = x1, sy = y1;
  x1 = sx + t0 * dx, y1 = sy + t0 * dy, x2 = sx + t1 * dx, y2 = sy + t1 * dy;
}

}  // namespace

void Plot(const PixelView& view, int64_t x, int64_t y, uint8_t colour) {
  if (view.Contains(x, y)) view.At(x, y) = colour;
}

PixelRect ClipRect(const PixelView& view, PixelRect r) {
  int64_t x0 = std::max<int64_t>(r.x, 0), y0 = std::max<int64_t>(r.y, 0);
  int64_t x1 = std::min<int64_t>(r.x + r.w, view.width);
  int64_t y1 = std::min<int64_t>(r.y + r.h, view.height);
  if (x1 <= x0 || y1 <= y0) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

PixelRect DrawLine(const PixelView& view, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                   uint8_t colour) {
  constexpr int64_t kNear = int64_t{1} << 16;
  if (std::max({std::llabs(x1), std::llabs(y1), std::llabs(x2), std::llabs(y2)}) > kNear) {
    double fx1 = double(x1), fy1 = double(y1), fx2 = double(x2), fy2 = double(y2);
    ClipFarLine(view, fx1, fy1, fx2, fy2);
    x1 = std::llround(fx1), y1 = std::llround(fy1), x2 = std::llround(fx2), y2 = std::llround(fy2);
  }
  PixelRect touched{std::min(x1, x2), std::min(y1, y2), std::llabs(x2 - x1) + 1,
                    std::llabs(y2 - y1) + 1};
  int64_t dx = std::llabs(x2 - x1), dy = -std::llabs(y2 - y1);
  int64_t sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1, error = dx + dy;
  for (;;) {
    Plot(view, x1, y1, colour);
    if (x1 == x2 && y1 == y2) break;
    int64_t twice = 2 * error;
    if (twice >= dy) error += dy, x1 += sx;
    if (twice <= dx) error += dx, y1 += sy;
  }
  return ClipRect(view, touched);
}

PixelRect DrawBox(const PixelView& view, int64_t x, int64_t y, int64_t w, int64_t h,
                  uint8_t colour) {
  int64_t right = x + w, bottom = y + h;
  DrawLine(view, x, y, right, y, colour);
  DrawLine(view, right, y, right, bottom, colour);
  DrawLine(view, right, bottom, x, bottom, colour);
  DrawLine(view, x, bottom, x, y, colour);
  return ClipRect(view,
                  {std::min(x, right), std::min(y, bottom), std::llabs(w) + 1, std::llabs(h) + 1});
}

PixelRect FillBox(const PixelView& view, int64_t x, int64_t y, int64_t w, int64_t h,
                  uint8_t colour) {
  PixelRect r = ClipRect(view, {x, y, w, h});
  for (int64_t row = r.y; row < r.y + r.h; ++row) std::fill_n(&view.At(r.x, row), r.w, colour);
  return r;
}

int64_t Brightness(const uint8_t* rgb) { return rgb[0] * 30 + rgb[1] * 59 + rgb[2] * 11; }

int BrightestEntry(const uint8_t* palette) {
  int best = 0;
  for (int i = 1; i < 256; ++i)
    if (Brightness(palette + 3 * i) > Brightness(palette + 3 * best)) best = i;
  return best;
}

int DarkestEntry(const uint8_t* palette) {
  int best = 0;
  for (int i = 1; i < 256; ++i)
    if (Brightness(palette + 3 * i) < Brightness(palette + 3 * best)) best = i;
  return best;
}

}  // namespace kinet::script
