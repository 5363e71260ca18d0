// Memory bitmaps: allocation, size, pixels and drawing. Drawing is clipped to the bitmap.
#include "scriptplayer/commands/bitmaps.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "scriptplayer/engine/integer_text.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/engine/messages.h"

namespace kinet::script::cmd {
namespace {

void Plot(Bitmap& bitmap, int64_t x, int64_t y, uint8_t colour) {
  if (x >= 0 && y >= 0 && x < bitmap.width && y < bitmap.height)
    bitmap.At(static_cast<int32_t>(x), static_cast<int32_t>(y)) = colour;
}

// Cuts a line that reaches far outside the bitmap down to a stretch near it, so drawing
// takes time in proportion to the bitmap and not to the coordinates.
void ClipFarLine(const Bitmap& bitmap, double& x1, double& y1, double& x2, double& y2) {
  const double lo = -2.0, hi_x = bitmap.width + 1.0, hi_y = bitmap.height + 1.0;
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

void DrawLine(Bitmap& bitmap, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint8_t colour) {
  constexpr int64_t kNear = int64_t{1} << 16;
  if (std::max({std::llabs(x1), std::llabs(y1), std::llabs(x2), std::llabs(y2)}) > kNear) {
    double fx1 = double(x1), fy1 = double(y1), fx2 = double(x2), fy2 = double(y2);
    ClipFarLine(bitmap, fx1, fy1, fx2, fy2);
    x1 = std::llround(fx1), y1 = std::llround(fy1), x2 = std::llround(fx2), y2 = std::llround(fy2);
  }
  int64_t dx = std::llabs(x2 - x1), dy = -std::llabs(y2 - y1);
  int64_t sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1, error = dx + dy;
  for (;;) {
    Plot(bitmap, x1, y1, colour);
    if (x1 == x2 && y1 == y2) break;
    int64_t twice = 2 * error;
    if (twice >= dy) error += dy, x1 += sx;
    if (twice <= dx) error += dx, y1 += sy;
  }
}

// Fills the columns x0..x1-1 and rows y0..y1-1 that lie inside the bitmap.
void Fill(Bitmap& bitmap, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint8_t colour) {
  x0 = std::max<int64_t>(x0, 0), y0 = std::max<int64_t>(y0, 0);
  x1 = std::min<int64_t>(x1, bitmap.width), y1 = std::min<int64_t>(y1, bitmap.height);
  for (int64_t y = y0; y < y1; ++y) {
    std::fill_n(&bitmap.At(static_cast<int32_t>(x0), static_cast<int32_t>(y)),
                std::max<int64_t>(x1 - x0, 0), colour);
  }
}

// Reads "b, x, y, width, height, colour".
struct BoxArgs {
  Bitmap* bitmap;
  int64_t x, y, width, height;
  uint8_t colour;
};
BoxArgs ReadBox(Interpreter& in) {
  BoxArgs box{&ArgBitmap(in), 0, 0, 0, 0, 0};
  box.x = in.ArgNumber(), box.y = in.ArgNumber();
  box.width = in.ArgNumber(), box.height = in.ArgNumber();
  box.colour = static_cast<uint8_t>(in.ArgNumber());
  return box;
}

}  // namespace

BitmapState::BitmapState(Interpreter& in) : table(in.services().bitmap_budget) {}

BitmapTable& Bitmaps(Interpreter& in) { return in.State<BitmapState>().table; }

Bitmap& ArgBitmap(Interpreter& in) {
  Bitmap* bitmap = Bitmaps(in).Get(in.ArgNumber());
  if (!bitmap) in.FailCommand(msg::kBadFrame);
  return *bitmap;
}

void BitmapAlloc(Interpreter& in) {
  std::string name = in.ArgName();
  int32_t width = in.ArgNumber();
  int32_t height = in.ArgNumber();
  in.SetNumber(name, Bitmaps(in).Allocate(width, height));
}

void BitmapFree(Interpreter& in) {
  std::string name = in.ArgName();
  Bitmaps(in).Free(ParseInteger(in.GetVariable(name)));
  in.SetVariable(name, "");
}

void BitmapWidth(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetNumber(name, ArgBitmap(in).width);
}

void BitmapHeight(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetNumber(name, ArgBitmap(in).height);
}

void BitmapClear(Interpreter& in) {
  Bitmap& bitmap = ArgBitmap(in);
  std::fill(bitmap.pixels.begin(), bitmap.pixels.end(), static_cast<uint8_t>(in.ArgNumber()));
}

void BitmapSetPixel(Interpreter& in) {
  Bitmap& bitmap = ArgBitmap(in);
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  Plot(bitmap, x, y, static_cast<uint8_t>(in.ArgNumber()));
}

// Outside the bitmap the pixel reads as 0.
void BitmapGetPixel(Interpreter& in) {
  std::string name = in.ArgName();
  Bitmap& bitmap = ArgBitmap(in);
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  in.SetNumber(name, bitmap.Contains(x, y) ? bitmap.At(x, y) : 0);
}

void BitmapLine(Interpreter& in) {
  Bitmap& bitmap = ArgBitmap(in);
  int32_t x1 = in.ArgNumber(), y1 = in.ArgNumber(), x2 = in.ArgNumber(), y2 = in.ArgNumber();
  DrawLine(bitmap, x1, y1, x2, y2, static_cast<uint8_t>(in.ArgNumber()));
}

// The outline through the corners (x, y) and (x + width, y + height).
void BitmapBox(Interpreter& in) {
  BoxArgs b = ReadBox(in);
  int64_t right = b.x + b.width, bottom = b.y + b.height;
  DrawLine(*b.bitmap, b.x, b.y, right, b.y, b.colour);
  DrawLine(*b.bitmap, right, b.y, right, bottom, b.colour);
  DrawLine(*b.bitmap, right, bottom, b.x, bottom, b.colour);
  DrawLine(*b.bitmap, b.x, bottom, b.x, b.y, b.colour);
}

// Width by height pixels from (x, y).
void BitmapFilledBox(Interpreter& in) {
  BoxArgs b = ReadBox(in);
  Fill(*b.bitmap, b.x, b.y, b.x + b.width, b.y + b.height, b.colour);
}

void BitmapChangeColor(Interpreter& in) {
  Bitmap& bitmap = ArgBitmap(in);
  uint8_t from = static_cast<uint8_t>(in.ArgNumber());
  uint8_t to = static_cast<uint8_t>(in.ArgNumber());
  std::replace(bitmap.pixels.begin(), bitmap.pixels.end(), from, to);
}

void BitmapList(Interpreter& in) {
  std::vector<std::string> lines;
  for (int32_t handle : Bitmaps(in).Handles()) {
    const Bitmap& bitmap = *Bitmaps(in).Get(handle);
    lines.push_back("Number: " + std::to_string(handle) + "  Width: " +
                    std::to_string(bitmap.width) + "  Height: " + std::to_string(bitmap.height));
  }
  in.List(lines);
}

}  // namespace kinet::script::cmd
