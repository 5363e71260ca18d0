// Memory bitmaps: allocation, size, pixels and drawing. Drawing is clipped to the bitmap.
#include "scriptplayer/commands/bitmaps.h"

#include <algorithm>

#include "scriptplayer/engine/integer_text.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/engine/messages.h"

namespace kinet::script::cmd {
namespace {

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
  Plot(bitmap.View(), x, y, static_cast<uint8_t>(in.ArgNumber()));
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
  DrawLine(bitmap.View(), x1, y1, x2, y2, static_cast<uint8_t>(in.ArgNumber()));
}

// The outline through the corners (x, y) and (x + width, y + height).
void BitmapBox(Interpreter& in) {
  BoxArgs b = ReadBox(in);
  DrawBox(b.bitmap->View(), b.x, b.y, b.width, b.height, b.colour);
}

// Width by height pixels from (x, y).
void BitmapFilledBox(Interpreter& in) {
  BoxArgs b = ReadBox(in);
  FillBox(b.bitmap->View(), b.x, b.y, b.width, b.height, b.colour);
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
