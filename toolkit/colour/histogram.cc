#include "toolkit/colour/histogram.h"

#include <vector>

#include "toolkit/colour/picture_rows.h"

namespace kinet::toolkit {

ColourHistogram::ColourHistogram() : counts_(std::make_unique<uint64_t[]>(kKeyCount)) {}

void ColourHistogram::AddWindow(const platform::Image& picture, const FrameWindow& window) {
  if (!PictureReadable(picture)) return;
  std::vector<uint8_t> rgb(size_t{window.width} * 3);
  for (uint32_t row = 0; row < window.height; ++row) {
    ReadWindowRow(picture, window, row, rgb.data());
    for (uint32_t i = 0; i < window.width; ++i) {
      ++counts_[KeyOf(rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2])];
    }
  }
}

}  // namespace kinet::toolkit
