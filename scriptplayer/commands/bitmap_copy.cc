// Copies between bitmaps, clipped to the target, and the bitmaps' palettes.
#include "scriptplayer/commands/bitmap_copy.h"

#include <algorithm>

#include "scriptplayer/commands/bitmaps.h"
#include "scriptplayer/engine/interpreter.h"

namespace kinet::script::cmd {
namespace {

// Index of the brightest or darkest entry; 0 without a palette.
void StoreExtremeIndex(Interpreter& in, int (*extreme)(const uint8_t*)) {
  std::string name = in.ArgName();
  Bitmap& bitmap = ArgBitmap(in);
  in.SetNumber(name, bitmap.palette ? extreme(bitmap.palette->data()) : 0);
}

}  // namespace

void BitmapToBitmap(Interpreter& in) {
  Bitmap& source = ArgBitmap(in);
  Bitmap& target = ArgBitmap(in);
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  CopyPixels(source.View(), target.View(), x, y, [](int64_t, int64_t) { return true; });
}

void BitmapToBitmapTrans(Interpreter& in) {
  Bitmap& source = ArgBitmap(in);
  Bitmap& target = ArgBitmap(in);
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  uint8_t transparent = static_cast<uint8_t>(in.ArgNumber());
  PixelView from = source.View();
  CopyPixels(from, target.View(), x, y,
             [&](int64_t sx, int64_t sy) { return from.At(sx, sy) != transparent; });
}

// The mask is read at the source's coordinates; where it has no pixel nothing is copied.
void BitmapToBitmapMask(Interpreter& in) {
  Bitmap& source = ArgBitmap(in);
  Bitmap& target = ArgBitmap(in);
  Bitmap& mask = ArgBitmap(in);
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  uint8_t index = static_cast<uint8_t>(in.ArgNumber());
  PixelView cover = mask.View();
  CopyPixels(source.View(), target.View(), x, y, [&](int64_t sx, int64_t sy) {
    return cover.Contains(sx, sy) && cover.At(sx, sy) != index;
  });
}

void BitmapPaletteToPalette(Interpreter& in) {
  Bitmap& source = ArgBitmap(in);
  Bitmap& target = ArgBitmap(in);
  if (&source == &target) return;
  if (source.palette) {
    target.palette = std::make_unique<std::array<uint8_t, 768>>(*source.palette);
  } else {
    target.palette.reset();
  }
}

// Entries as red + 256 x green + 65536 x blue; 0 without a palette or outside 0-255.
void BitmapGetPaletteValue(Interpreter& in) {
  std::string name = in.ArgName();
  Bitmap& bitmap = ArgBitmap(in);
  int32_t entry = in.ArgNumber();
  int32_t value = 0;
  if (bitmap.palette && entry >= 0 && entry < 256) {
    const uint8_t* rgb = bitmap.palette->data() + 3 * entry;
    value = rgb[0] + 256 * rgb[1] + 65536 * rgb[2];
  }
  in.SetNumber(name, value);
}

void BitmapSetPaletteValue(Interpreter& in) {
  Bitmap& bitmap = ArgBitmap(in);
  int32_t entry = in.ArgNumber();
  int32_t value = in.ArgNumber();
  if (!bitmap.palette) bitmap.palette = std::make_unique<std::array<uint8_t, 768>>();
  if (entry < 0 || entry > 255) return;
  uint8_t* rgb = bitmap.palette->data() + 3 * entry;
  rgb[0] = static_cast<uint8_t>(value);
  rgb[1] = static_cast<uint8_t>(value >> 8);
  rgb[2] = static_cast<uint8_t>(value >> 16);
}

void BitmapGetBrightestPaletteIndex(Interpreter& in) { StoreExtremeIndex(in, BrightestEntry); }

void BitmapGetDarkestPaletteIndex(Interpreter& in) { StoreExtremeIndex(in, DarkestEntry); }

}  // namespace kinet::script::cmd
