#include "scriptplayer/commands/screen_draw.h"

#include "scriptplayer/commands/bitmaps.h"
#include "scriptplayer/commands/window.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/window/screen.h"

namespace kinet::script::cmd {
namespace {

uint8_t ArgColour(Interpreter& in) { return static_cast<uint8_t>(in.ArgNumber()); }

// Reads "x, y, width, height, colour" of a box on the image.
struct Box {
  int64_t x, y, width, height;
  uint8_t colour;
};
Box ArgBox(Interpreter& in, const Screen& screen) {
  Box box{};
  box.x = int64_t{in.ArgNumber()} + screen.origin_x;
  box.y = int64_t{in.ArgNumber()} + screen.origin_y;
  box.width = in.ArgNumber();
  box.height = in.ArgNumber();
  box.colour = ArgColour(in);
  return box;
}

}  // namespace

void ScreenClear(Interpreter& in) {
  uint8_t colour = ArgColour(in);
  Screen& screen = OpenScreen(in);
  KinetBufferClear(screen.buffer(), colour);
  screen.ShowAll();
}

void ScreenSetPixel(Interpreter& in) {
  int64_t x = in.ArgNumber(), y = in.ArgNumber();
  uint8_t colour = ArgColour(in);
  Screen& screen = OpenScreen(in);
  x += screen.origin_x, y += screen.origin_y;
  Plot(screen.View(), x, y, colour);
  screen.Show(ClipRect(screen.View(), {x, y, 1, 1}));
}

// Outside the image the pixel reads as 0.
void ScreenGetPixel(Interpreter& in) {
  std::string name = in.ArgName();
  int64_t x = in.ArgNumber(), y = in.ArgNumber();
  Screen& screen = OpenScreen(in);
  PixelView view = screen.View();
  x += screen.origin_x, y += screen.origin_y;
  in.SetNumber(name, view.Contains(x, y) ? view.At(x, y) : 0);
}

void ScreenLine(Interpreter& in) {
  int64_t x1 = in.ArgNumber(), y1 = in.ArgNumber(), x2 = in.ArgNumber(), y2 = in.ArgNumber();
  uint8_t colour = ArgColour(in);
  Screen& screen = OpenScreen(in);
  const int64_t ox = screen.origin_x, oy = screen.origin_y;
  screen.Show(DrawLine(screen.View(), x1 + ox, y1 + oy, x2 + ox, y2 + oy, colour));
}

void ScreenBox(Interpreter& in) {
  Screen& screen = OpenScreen(in);
  Box b = ArgBox(in, screen);
  screen.Show(DrawBox(screen.View(), b.x, b.y, b.width, b.height, b.colour));
}

void ScreenFilledBox(Interpreter& in) {
  Screen& screen = OpenScreen(in);
  Box b = ArgBox(in, screen);
  screen.Show(FillBox(screen.View(), b.x, b.y, b.width, b.height, b.colour));
}

void BitmapToScreen(Interpreter& in) {
  Bitmap& bitmap = ArgBitmap(in);
  int64_t x = in.ArgNumber(), y = in.ArgNumber();
  Screen& screen = OpenScreen(in);
  screen.Show(CopyPixels(bitmap.View(), screen.View(), x + screen.origin_x, y + screen.origin_y,
                         [](int64_t, int64_t) { return true; }));
}

void BitmapToScreenTrans(Interpreter& in) {
  Bitmap& bitmap = ArgBitmap(in);
  int64_t x = in.ArgNumber(), y = in.ArgNumber();
  uint8_t transparent = ArgColour(in);
  Screen& screen = OpenScreen(in);
  PixelView from = bitmap.View();
  screen.Show(CopyPixels(from, screen.View(), x + screen.origin_x, y + screen.origin_y,
                         [&](int64_t sx, int64_t sy) { return from.At(sx, sy) != transparent; }));
}

void BitmapToScreenMask(Interpreter& in) {
  Bitmap& bitmap = ArgBitmap(in);
  Bitmap& mask = ArgBitmap(in);
  int64_t x = in.ArgNumber(), y = in.ArgNumber();
  uint8_t index = ArgColour(in);
  Screen& screen = OpenScreen(in);
  PixelView cover = mask.View();
  screen.Show(CopyPixels(
      bitmap.View(), screen.View(), x + screen.origin_x, y + screen.origin_y,
      [&](int64_t sx, int64_t sy) { return cover.Contains(sx, sy) && cover.At(sx, sy) != index; }));
}

// The bitmap takes the part of the image at x, y of its own size; what lies outside the image
// is left as it was.
void BitmapFromScreen(Interpreter& in) {
  Bitmap& bitmap = ArgBitmap(in);
  int64_t x = in.ArgNumber(), y = in.ArgNumber();
  Screen& screen = OpenScreen(in);
  CopyPixels(screen.View(), bitmap.View(), -(x + screen.origin_x), -(y + screen.origin_y),
             [](int64_t, int64_t) { return true; });
}

}  // namespace kinet::script::cmd
