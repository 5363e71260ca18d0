// The mouse pointer the player draws into its image (the system's pointer is hidden over the
// window): the built-in arrow, or a mouse area's picture, with the image under it kept so that
// it can be put back before anything else draws.
#pragma once

#include <cstdint>
#include <vector>

#include "scriptplayer/drawing/pixels.h"

namespace kinet::script {

class Pointer {
 public:
  static constexpr int32_t kArrowWidth = 10, kArrowHeight = 19;

  Pointer();

  // The arrow's outline takes the darkest entry of the palette, its fill the brightest, and
  // its transparent pixels a key among 0, 1 and 2 that is neither.
  void ChooseColours(const uint8_t* palette);
  uint8_t outline() const { return outline_; }
  uint8_t fill() const { return fill_; }

  // The shape drawn next: the arrow, or a copy of `picture` whose pixels of index 0 are
  // transparent. Its top-left corner is the pointer's hot spot either way.
  void UseArrow();
  void UsePicture(const PixelView& picture);

  // Draws the shape with its hot spot at x, y, keeping what it covers; it must be off the
  // image. Returns the part of the image it covers.
  PixelRect Draw(const PixelView& image, int64_t x, int64_t y);
  // Puts back what the shape covered; the image must be the one it was drawn on. Returns that
  // rectangle, empty when the pointer was not on the image.
  PixelRect TakeOff(const PixelView& image);
  // Forgets the image the shape was drawn on (that image is gone).
  void Forget() { on_image_ = false; }
  bool on_image() const { return on_image_; }

  // Changes whenever the shape or its colours change.
  uint32_t version() const { return version_; }

 private:
  void BuildArrow();

  bool arrow_ = true;
  uint8_t outline_ = 0, fill_ = 1, key_ = 2;
  std::vector<uint8_t> shape_;
  int32_t width_ = kArrowWidth, height_ = kArrowHeight;
  uint8_t transparent_ = 2;
  uint32_t version_ = 0;

  bool on_image_ = false;
  PixelRect covered_;
  std::vector<uint8_t> under_;
};

}  // namespace kinet::script
