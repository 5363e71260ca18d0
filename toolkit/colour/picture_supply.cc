#include "toolkit/colour/picture_supply.h"

namespace kinet::toolkit {
namespace {

bool PaletteChanged(uint32_t bits_before, const Palette& before, const platform::Image& now) {
  if (bits_before != now.bits && (bits_before == 8 || now.bits == 8)) return true;
  return now.bits == 8 && before != now.palette;
}

}  // namespace

std::optional<uint32_t> AnalysePictures(PictureSupply& supply, uint32_t limit,
                                        bool stop_at_palette_change, ColourHistogram& histogram) {
  uint32_t added = 0;
  uint32_t bits_before = 0;
  Palette palette_before{};
  while (added < limit) {
    const platform::Image* picture = nullptr;
    FrameWindow window;
    const PictureSupply::Result result = supply.Next(picture, window);
    if (result == PictureSupply::Result::kFailed) return std::nullopt;
    if (result == PictureSupply::Result::kEnd || picture == nullptr) break;
    if (stop_at_palette_change && added > 0 &&
        PaletteChanged(bits_before, palette_before, *picture)) {
      break;
    }
    bits_before = picture->bits;
    palette_before = picture->palette;
    histogram.AddWindow(*picture, window);
    ++added;
  }
  return added;
}

}  // namespace kinet::toolkit
