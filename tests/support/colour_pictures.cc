#include "tests/support/colour_pictures.h"

namespace kinet::toolkit::testing {

platform::Image SolidPicture(uint32_t width, uint32_t height, uint8_t red, uint8_t green,
                             uint8_t blue) {
  platform::Image picture;
  picture.width = width;
  picture.height = height;
  picture.bits = 24;
  picture.pixels.resize(size_t{width} * height * 3);
  for (size_t i = 0; i < picture.pixels.size(); i += 3) {
    picture.pixels[i] = red, picture.pixels[i + 1] = green, picture.pixels[i + 2] = blue;
  }
  return picture;
}

platform::Image DetailPicture(uint32_t width, uint32_t height) {
  platform::Image picture = SolidPicture(width, height, 0, 0, 0);
  uint32_t noise = 12345;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t* p = &picture.pixels[(size_t{y} * width + x) * 3];
      p[0] = static_cast<uint8_t>(x * 255 / (width - 1));
      p[1] = static_cast<uint8_t>(y * 255 / (height - 1));
      p[2] = static_cast<uint8_t>((x + y) * 255 / (width + height - 2));
      if (y >= height / 2 && y < height / 2 + 24) {
        static constexpr uint8_t kSquares[6][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                                   {255, 255, 0}, {0, 255, 255}, {255, 0, 255}};
        const uint8_t* c = kSquares[(x / 3 + y / 3) % 6];
        p[0] = c[0], p[1] = c[1], p[2] = c[2];
      } else if (x < width / 8 && y < height / 8) {
        noise = noise * 1103515245 + 12345;
        p[0] = static_cast<uint8_t>(noise >> 16), p[1] = static_cast<uint8_t>(noise >> 8);
        p[2] = static_cast<uint8_t>(noise >> 24);
      }
    }
  }
  return picture;
}

platform::Image IndexedPicture(uint32_t width, uint32_t height, const Palette& palette) {
  platform::Image picture;
  picture.width = width;
  picture.height = height;
  picture.bits = 8;
  picture.palette = palette;
  picture.pixels.resize(size_t{width} * height);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) picture.pixels[size_t{y} * width + x] = (x + y) & 255;
  }
  return picture;
}

Palette GreyPalette(uint32_t scale) {
  Palette palette;
  for (uint32_t i = 0; i < 256; ++i) {
    palette[i * 3] = palette[i * 3 + 1] = palette[i * 3 + 2] =
        static_cast<uint8_t>(i * scale / 255);
  }
  return palette;
}

PictureSupply::Result FrameList::Next(const platform::Image*& picture, FrameWindow& window) {
  if (!analysing_) {
    analysing_ = true;
    next_ = current_;
    analyses_.push_back(static_cast<uint32_t>(current_ + 1));
  }
  if (fail_at_ >= 0 && next_ - current_ >= static_cast<size_t>(fail_at_)) return Result::kFailed;
  if (next_ >= frames_.size()) return Result::kEnd;
  picture = &frames_[next_++];
  window = Whole();
  return Result::kPicture;
}

bool FrameList::EndAnalysis() {
  analysing_ = false;
  return true;
}

FrameWindow FrameList::Whole() const { return {0, 0, frames_[0].width, frames_[0].height}; }

}  // namespace kinet::toolkit::testing
