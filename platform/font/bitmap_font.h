// The built-in 8x16 bitmap font: character codes 32 to 175, the codes 128 to 175 holding the
// accented letters and signs of the classic PC character set (C cedilla, u umlaut, ... , the
// guillemets). Used to draw the status window's texts and by the script player for its text.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kinet::platform {

inline constexpr int kFontGlyphWidth = 8;
inline constexpr int kFontGlyphHeight = 16;
inline constexpr int kFontFirstCode = 32;
inline constexpr int kFontLastCode = 175;
inline constexpr int kFontGlyphCount = kFontLastCode - kFontFirstCode + 1;  // 144

// The glyph data: for each code from kFontFirstCode to kFontLastCode, 16 rows of one byte,
// top row first, the leftmost pixel in the highest bit (2,304 bytes).
std::span<const uint8_t, kFontGlyphCount * kFontGlyphHeight> BuiltinFontData();

// The 16 rows of `code`'s glyph; a code outside the font is drawn with the first glyph (blank).
std::span<const uint8_t, kFontGlyphHeight> BuiltinGlyph(unsigned char code);

// Turns UTF-8 text (file names on Linux) into the font's codes: ASCII stays, the characters
// the font has above 127 get their codes, any other character becomes '?'. Bytes that are not
// valid UTF-8 are kept as they are, as codes of the font.
std::string FontCodesFromUtf8(std::string_view text);

}  // namespace kinet::platform
