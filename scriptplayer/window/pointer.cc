#include "scriptplayer/window/pointer.h"

#include <algorithm>
#include <string_view>

namespace kinet::script {
namespace {

// The arrow, rows from the top, tip at the top left: 'X' outline, 'o' fill, '.' transparent.
constexpr std::string_view kArrow =
    "X........."
    "XX........"
    "XoX......."
    "XooX......"
    "XoooX....."
    "XooooX...."
    "XoooooX..."
    "XooooooX.."
    "XoooooooX."
    "XooooooooX"
    "XoooooXXXX"
    "XooXooX..."
    "XoX.XooX.."
    "XX..XooX.."
    "X....XooX."
    ".....XooX."
    "......XooX"
    "......XooX"
    ".......XX.";
static_assert(kArrow.size() == Pointer::kArrowWidth * Pointer::kArrowHeight);

}  // namespace

Pointer::Pointer() { BuildArrow(); }

void Pointer::ChooseColours(const uint8_t* palette) {
  const uint8_t outline = uint8_t(DarkestEntry(palette)), fill = uint8_t(BrightestEntry(palette));
  const uint8_t key = IndexBesides(outline, fill);
  if (outline == outline_ && fill == fill_ && key == key_) return;
  outline_ = outline, fill_ = fill, key_ = key;
  if (arrow_) BuildArrow();
}

void Pointer::UseArrow() {
  if (arrow_) return;
  arrow_ = true;
  BuildArrow();
}

void Pointer::BuildArrow() {
  width_ = kArrowWidth;
  height_ = kArrowHeight;
  transparent_ = key_;
  shape_.resize(kArrow.size());
  std::transform(kArrow.begin(), kArrow.end(), shape_.begin(), [&](char c) {
    return c == 'X' ? outline_ : c == 'o' ? fill_ : key_;
  });
  ++version_;
}

void Pointer::UsePicture(const PixelView& picture) {
  arrow_ = false;
  width_ = std::max(picture.width, 0);
  height_ = std::max(picture.height, 0);
  transparent_ = 0;
  shape_.resize(size_t(width_) * size_t(height_));
  for (int32_t y = 0; y < height_; ++y)
    std::copy_n(&picture.At(0, y), width_, shape_.begin() + ptrdiff_t(y) * width_);
  ++version_;
}

PixelRect Pointer::Draw(const PixelView& image, int64_t x, int64_t y) {
  covered_ = ClipRect(image, {x, y, width_, height_});
  under_.resize(size_t(covered_.w * covered_.h));
  for (int64_t row = 0; row < covered_.h; ++row) {
    uint8_t* line = &image.At(covered_.x, covered_.y + row);
    std::copy_n(line, covered_.w, under_.begin() + row * covered_.w);
    const uint8_t* from =
        &shape_[size_t(covered_.y + row - y) * size_t(width_) + size_t(covered_.x - x)];
    for (int64_t i = 0; i < covered_.w; ++i)
      if (from[i] != transparent_) line[i] = from[i];
  }
  on_image_ = true;
  return covered_;
}

PixelRect Pointer::TakeOff(const PixelView& image) {
  if (!on_image_) return {};
  on_image_ = false;
  for (int64_t row = 0; row < covered_.h; ++row)
    std::copy_n(under_.begin() + row * covered_.w, covered_.w,
                &image.At(covered_.x, covered_.y + row));
  return covered_;
}

}  // namespace kinet::script
