#include "toolkit/colour/colour_work.h"

#include <algorithm>
#include <numeric>

#include "toolkit/colour/histogram.h"
#include "toolkit/colour/picture_rows.h"
#include "toolkit/colour/quantizer.h"
#include "toolkit/colour/system_colours.h"

namespace kinet::toolkit {
namespace {

// An 8-bit source keeps its own palette in copy mode only when new palettes are rare: a short
// period asks for best-case palettes even from 8-bit input.
constexpr int32_t kCopyPeriod = 32000;

ColourSettings Resolved(ColourSettings s) {
  s.colours = std::clamp(s.colours, 1, 256);
  if (s.start_index < 0) s.start_index = (256 - s.colours) / 2;
  s.start_index = std::min(s.start_index, 256 - s.colours);
  s.period = std::max(s.period, 1);
  s.mode = std::clamp(s.mode, 0, 2);
  s.halftone = std::clamp(s.halftone, 0, 2);
  s.system_colours = std::clamp(s.system_colours, 0, 2);
  return s;
}

// Copies the window's indices through `table`; window pixels outside the picture get `pad`.
void CopyIndices(const platform::Image& picture, const FrameWindow& window,
                 const std::array<uint8_t, 256>& table, uint8_t pad, std::vector<uint8_t>& pixels) {
  for (uint32_t row = 0; row < window.height; ++row) {
    uint8_t* out = pixels.data() + size_t{row} * window.width;
    std::fill_n(out, window.width, pad);
    const RowSpan span = InsidePicture(picture, window, row);
    if (span.count == 0) continue;
    const size_t y = static_cast<size_t>(int64_t{window.y} + row);
    const size_t x = static_cast<size_t>(int64_t{window.x} + span.first);
    const uint8_t* in = picture.pixels.data() + y * picture.width + x;
    for (uint32_t i = 0; i < span.count; ++i) out[span.first + i] = table[in[i]];
  }
}

std::array<uint8_t, 256> Identity() {
  std::array<uint8_t, 256> table;
  std::iota(table.begin(), table.end(), uint8_t{0});
  return table;
}

}  // namespace

ColourWork::ColourWork(const ColourSettings& settings)
    : settings_(Resolved(settings)),
      map_(static_cast<uint32_t>(settings_.start_index), static_cast<uint32_t>(settings_.colours)),
      halftone_(map_) {}

bool ColourWork::NextFrame(const platform::Image& picture, const FrameWindow& window,
                           PictureSupply& supply, const ColourProgress& progress,
                           std::vector<uint8_t>& pixels) {
  if (!PictureReadable(picture)) return false;
  pixels.assign(size_t{window.width} * window.height, 0);
  if (!NeedsWork(picture)) {
    CopyIndices(picture, window, Identity(), 0, pixels);
    if (countdown_ > 0) --countdown_;
    Emit(picture.palette);
    return true;
  }
  if (!Due(picture)) {
    --countdown_;
  } else if (KeepsOwnPalette(picture)) {
    CopyPalette(picture.palette);
  } else if (!BuildPalette(supply, progress)) {
    return false;
  }
  Convert(picture, window, pixels);
  Emit(map_.palette());
  return true;
}

bool ColourWork::NeedsWork(const platform::Image& picture) const {
  return picture.bits != 8 || settings_.colours < 256 || settings_.mode != 0 ||
         settings_.palette_file;
}

bool ColourWork::KeepsOwnPalette(const platform::Image& picture) const {
  return picture.bits == 8 && settings_.mode == 0 && settings_.period >= kCopyPeriod &&
         !settings_.palette_file;
}

bool ColourWork::Due(const platform::Image& picture) const {
  // A copied palette follows the input's own palette changes (palette animation in a flic),
  // which a countdown of tens of thousands of frames would otherwise freeze at the first.
  if (KeepsOwnPalette(picture) && picture.palette != copied_from_) return true;
  return !built_ || countdown_ == 0;
}

bool ColourWork::BuildPalette(PictureSupply& supply, const ColourProgress& progress) {
  ColourHistogram histogram;
  const uint32_t period = static_cast<uint32_t>(settings_.period);
  const std::optional<uint32_t> analysed =
      AnalysePictures(supply, period, settings_.mode == 2, histogram);
  const bool returned = supply.EndAnalysis();
  if (!analysed || !returned) return false;

  Palette next = palette_;
  Reserves reserves;
  const uint32_t start = static_cast<uint32_t>(settings_.start_index);
  const uint32_t colours = static_cast<uint32_t>(settings_.colours);
  if (settings_.system_colours != 2) {
    PlaceSystemColours(next);
    reserves = SystemReserves(start, colours);
  }
  if (Quantize(progress, reserves.high, reserves.low, colours, start, histogram, next).cancelled) {
    return false;
  }
  // The palette file's pictures are not the source's frames: its palette lasts a full period.
  countdown_ = (settings_.palette_file ? period : std::max(*analysed, 1u)) - 1;
  SetWorkPalette(next);
  return true;
}

void ColourWork::CopyPalette(const Palette& input) {
  Palette next = palette_;
  const size_t first = size_t{3} * static_cast<uint32_t>(settings_.start_index);
  const size_t count = size_t{3} * static_cast<uint32_t>(settings_.colours);
  std::copy_n(input.begin() + first, count, next.begin() + first);
  if (settings_.system_colours == 1) PlaceSystemColours(next);
  copied_from_ = input;
  countdown_ = static_cast<uint32_t>(settings_.period) - 1;
  SetWorkPalette(next);
}

void ColourWork::SetWorkPalette(const Palette& palette) {
  if (!built_ || map_.palette() != palette) {
    map_.SetPalette(palette);
    halftone_.Reset();
  }
  built_ = true;
}

void ColourWork::Emit(const Palette& palette) {
  palette_changed_ = !frames_given_ || palette != palette_;
  palette_ = palette;
  frames_given_ = true;
}

void ColourWork::Convert(const platform::Image& picture, const FrameWindow& window,
                         std::vector<uint8_t>& pixels) {
  const bool halftoned = settings_.halftone == 1 || (settings_.halftone == 0 && picture.bits != 8);
  if (picture.bits == 8 && !halftoned) {
    const auto table =
        picture.palette == map_.palette() ? Identity() : map_.RemapTable(picture.palette);
    CopyIndices(picture, window, table, map_.MapKey(0), pixels);
    return;
  }
  std::vector<uint8_t> rgb(size_t{window.width} * 3);
  for (uint32_t row = 0; row < window.height; ++row) {
    ReadWindowRow(picture, window, row, rgb.data());
    uint8_t* out = pixels.data() + size_t{row} * window.width;
    if (halftoned) {
      halftone_.MapRow(rgb.data(), window.width, row, out);
      continue;
    }
    for (uint32_t i = 0; i < window.width; ++i) {
      out[i] = map_.MapKey(KeyOf(rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]));
    }
  }
}

}  // namespace kinet::toolkit
