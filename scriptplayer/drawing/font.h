// Text fonts of the script player: the built-in 8x16 font or one cut from a bitmap, and the
// drawing of glyphs with the three colour rules.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "scriptplayer/drawing/pixels.h"

namespace kinet::script {

// Glyphs of width x height pixels for the codes first to last: per glyph, height rows of
// (width + 7) / 8 bytes, the leftmost pixel in the highest bit of the first byte.
struct Font {
  int32_t width = 0, height = 0;
  int32_t first = 0, last = -1;
  std::vector<uint8_t> data;

  size_t RowBytes() const { return size_t(width + 7) / 8; }
  // A code outside the font is drawn with the first glyph.
  bool Bit(unsigned char code, int32_t x, int32_t y) const;
};

Font BuiltinFont();
// Cuts glyphs in reading order from `source`: along a row of glyphs, on to the next row when
// the next glyph would pass the right edge. A pixel other than 0 is a set bit. Glyphs that
// would pass the bottom stay empty. Sizes below 1 give the built-in font.
Font FontFromPixels(const PixelView& source, int32_t width, int32_t height, int32_t first,
                    int32_t last);

struct TextColours {
  uint8_t fore = 7, back = 0, transparent = 128;
};

// Draws the glyphs of `codes` from (x, y): the foreground colour on set bits, the background
// on clear ones, and neither one that equals the transparent colour. Clipped to the picture;
// returns the rectangle covered.
PixelRect DrawText(const PixelView& view, const Font& font, const TextColours& colours, int64_t x,
                   int64_t y, std::string_view codes);

}  // namespace kinet::script
