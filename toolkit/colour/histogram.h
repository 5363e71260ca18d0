// The colour-key histogram a palette is built from: how many pixels of the analysed frames
// fall on each of the 262144 colour keys. One histogram serves one palette build.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/images/image.h"
#include "toolkit/colour/colour_key.h"

namespace kinet::toolkit {

class ColourHistogram {
 public:
  // All counts 0. Allocates 2 MB.
  ColourHistogram();

  // Adds every pixel of the frame window: 8-bit pixels through the picture's palette, 16-,
  // 24- and 32-bit pixels from their colour bits, and window pixels outside the picture
  // (the padding of a sub-frame) as colour key 0. Pictures that are not
  // readable (PictureReadable) add nothing.
  void AddWindow(const platform::Image& picture, const FrameWindow& window);
  // Adds `count` pixels at `key`.
  void Add(uint32_t key, uint64_t count) { counts_[key] += count; }
  // Forgets the pixels of `key`.
  void Clear(uint32_t key) { counts_[key] = 0; }

  // Counts are 64-bit: an analysis of tens of thousands of frames may put more than 2^32
  // pixels on one key (a black border), which a 32-bit count would wrap to a small number.
  uint64_t count(uint32_t key) const { return counts_[key]; }

 private:
  std::unique_ptr<uint64_t[]> counts_;
};

}  // namespace kinet::toolkit
