// Copies between bitmaps, clipped to the target, and the bitmaps' palettes.
#include "scriptplayer/commands/bitmap_copy.h"

#include <algorithm>

#include "scriptplayer/commands/bitmaps.h"
#include "scriptplayer/engine/interpreter.h"

namespace kinet::script::cmd {
namespace {

// Copies `source` into `target` at (x, y) where `keep(source_x, source_y)` holds.
template <typename Keep>
void Blit(const Bitmap& source, Bitmap& target, int64_t x, int64_t y, Keep keep) {
  int64_t x0 = std::max<int64_t>(0, -x), y0 = std::max<int64_t>(0, -y);
  int64_t x1 = std::min<int64_t>(source.width, target.width - x);
  int64_t y1 = std::min<int64_t>(source.height, target.height - y);
  for (int64_t sy = y0; sy < y1; ++sy) {
    for (int64_t sx = x0; sx < x1; ++sx) {
      int32_t ix = static_cast<int32_t>(sx), iy = static_cast<int32_t>(sy);
      if (keep(ix, iy))
        target.At(static_cast<int32_t>(sx + x), static_cast<int32_t>(sy + y)) =
            source.pixels[static_cast<size_t>(iy) * source.width + ix];
    }
  }
}

int64_t Brightness(const uint8_t* rgb) { return rgb[0] * 30 + rgb[1] * 59 + rgb[2] * 11; }

// Index of the first entry that `better` prefers over all others; 0 without a palette.
template <typename Better>
void StoreExtremeIndex(Interpreter& in, Better better) {
  std::string name = in.ArgName();
  Bitmap& bitmap = ArgBitmap(in);
  int best = 0;
  if (bitmap.palette) {
    const uint8_t* rgb = bitmap.palette->data();
    for (int i = 1; i < 256; ++i) {
      if (better(Brightness(rgb + 3 * i), Brightness(rgb + 3 * best))) best = i;
    }
  }
  in.SetNumber(name, best);
}

}  // namespace

void BitmapToBitmap(Interpreter& in) {
  Bitmap& source = ArgBitmap(in);
  Bitmap& target = ArgBitmap(in);
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  Blit(source, target, x, y, [](int32_t, int32_t) { return true; });
}

void BitmapToBitmapTrans(Interpreter& in) {
  Bitmap& source = ArgBitmap(in);
  Bitmap& target = ArgBitmap(in);
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  uint8_t transparent = static_cast<uint8_t>(in.ArgNumber());
  Blit(source, target, x, y, [&](int32_t sx, int32_t sy) {
    return source.pixels[static_cast<size_t>(sy) * source.width + sx] != transparent;
  });
}

// The mask is read at the source's coordinates; where it has no pixel nothing is copied.
void BitmapToBitmapMask(Interpreter& in) {
  Bitmap& source = ArgBitmap(in);
  Bitmap& target = ArgBitmap(in);
  Bitmap& mask = ArgBitmap(in);
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  uint8_t index = static_cast<uint8_t>(in.ArgNumber());
  Blit(source, target, x, y,
       [&](int32_t sx, int32_t sy) { return mask.Contains(sx, sy) && mask.At(sx, sy) != index; });
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

void BitmapGetBrightestPaletteIndex(Interpreter& in) {
  StoreExtremeIndex(in, [](int64_t a, int64_t b) { return a > b; });
}

void BitmapGetDarkestPaletteIndex(Interpreter& in) {
  StoreExtremeIndex(in, [](int64_t a, int64_t b) { return a < b; });
}

}  // namespace kinet::script::cmd
