#include "scriptplayer/drawing/font.h"

#include "platform/font/bitmap_font.h"

namespace kinet::script {

bool Font::Bit(unsigned char code, int32_t x, int32_t y) const {
  int32_t glyph = (code < first || code > last) ? 0 : code - first;
  size_t row = (size_t(glyph) * height + y) * RowBytes();
  return (data[row + x / 8] >> (7 - x % 8)) & 1;
}

Font BuiltinFont() {
  Font font{platform::kFontGlyphWidth,
            platform::kFontGlyphHeight,
            platform::kFontFirstCode,
            platform::kFontLastCode,
            {}};
  auto glyphs = platform::BuiltinFontData();
  font.data.assign(glyphs.begin(), glyphs.end());
  return font;
}

Font FontFromPixels(const PixelView& source, int32_t width, int32_t height, int32_t first,
                    int32_t last) {
  constexpr int32_t kLargestGlyph = 256;
  if (width < 1 || height < 1 || width > kLargestGlyph || height > kLargestGlyph || first < 0 ||
      last < first || last > 255)
    return BuiltinFont();
  Font font{width, height, first, last, {}};
  const size_t glyph_bytes = font.RowBytes() * size_t(height);
  font.data.assign(glyph_bytes * size_t(last - first + 1), 0);
  int64_t gx = 0, gy = 0;
  for (int32_t code = first; code <= last; ++code) {
    if (gx + width > source.width) gx = 0, gy += height;
    uint8_t* glyph = font.data.data() + glyph_bytes * size_t(code - first);
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) {
        if (source.Contains(gx + x, gy + y) && source.At(gx + x, gy + y) != 0)
          glyph[size_t(y) * font.RowBytes() + x / 8] |= uint8_t(0x80 >> (x % 8));
      }
    }
    gx += width;
  }
  return font;
}

PixelRect DrawText(const PixelView& view, const Font& font, const TextColours& colours, int64_t x,
                   int64_t y, std::string_view codes) {
  const bool fore = colours.fore != colours.transparent;
  const bool back = colours.back != colours.transparent;
  for (size_t i = 0; i < codes.size(); ++i) {
    const unsigned char code = static_cast<unsigned char>(codes[i]);
    const int64_t left = x + int64_t(i) * font.width;
    for (int32_t row = 0; row < font.height; ++row) {
      for (int32_t column = 0; column < font.width; ++column) {
        if (!view.Contains(left + column, y + row)) continue;
        const bool set = font.Bit(code, column, row);
        if (set && fore) view.At(left + column, y + row) = colours.fore;
        if (!set && back) view.At(left + column, y + row) = colours.back;
      }
    }
  }
  return ClipRect(view, {x, y, int64_t(codes.size()) * font.width, font.height});
}

}  // namespace kinet::script
