// Synthetic pictures and a frame supply for the colour work tests.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/images/image.h"
#include "toolkit/colour/picture_supply.h"

namespace kinet::toolkit::testing {

// A width x height 24-bit picture with every pixel of colour (red, green, blue).
platform::Image SolidPicture(uint32_t width, uint32_t height, uint8_t red, uint8_t green,
                             uint8_t blue);
// Gradients plus detail: red runs left to right, green top to bottom, blue along the diagonal,
// with a band of saturated 3x3 squares and a patch of fine noise.
platform::Image DetailPicture(uint32_t width, uint32_t height);
// An 8-bit picture whose pixel at (x, y) is (x + y) modulo 256, over `palette`.
platform::Image IndexedPicture(uint32_t width, uint32_t height, const Palette& palette);
// A palette of greys scaled by `scale` / 255 with entry i at i.
Palette GreyPalette(uint32_t scale);

// A source of frames for ColourWork: the frame being converted is `current`; an analysis reads
// from it onward and then returns. Records the frame number (counted from 1) at which each
// analysis started.
class FrameList : public PictureSupply {
 public:
  explicit FrameList(std::vector<platform::Image> frames) : frames_(std::move(frames)) {}

  Result Next(const platform::Image*& picture, FrameWindow& window) override;
  bool EndAnalysis() override;

  const platform::Image& frame(size_t i) const { return frames_[i]; }
  size_t size() const { return frames_.size(); }
  void set_current(size_t i) { current_ = i; }
  FrameWindow Whole() const;
  const std::vector<uint32_t>& analyses() const { return analyses_; }
  // From the given read on (counted from 0 within one analysis), Next fails.
  void FailAt(int32_t read) { fail_at_ = read; }

 private:
  std::vector<platform::Image> frames_;
  size_t current_ = 0, next_ = 0;
  bool analysing_ = false;
  int32_t fail_at_ = -1;
  std::vector<uint32_t> analyses_;
};

}  // namespace kinet::toolkit::testing
