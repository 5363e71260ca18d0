// Colour work on one 640x480 24-bit frame: building a 256-colour palette (histogram and box
// splitting), and mapping the frame onto it, plainly and halftoned, with the mapping caches
// empty (the first frame after a new palette) and filled (the frames after it).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/images/image.h"
#include "toolkit/colour/halftone.h"
#include "toolkit/colour/histogram.h"
#include "toolkit/colour/palette_map.h"
#include "toolkit/colour/quantizer.h"
#include "toolkit/colour/system_colours.h"

namespace kinet::toolkit {
namespace {

constexpr uint32_t kWidth = 640, kHeight = 480;

// Smooth gradients with a little grain, and a band of hard-edged coloured squares: many
// distinct colours, as a photograph or a rendered scene has.
platform::Image Frame() {
  platform::Image frame;
  frame.width = kWidth;
  frame.height = kHeight;
  frame.bits = 24;
  frame.pixels.resize(size_t{kWidth} * kHeight * 3);
  uint32_t grain = 1;
  for (uint32_t y = 0; y < kHeight; ++y) {
    for (uint32_t x = 0; x < kWidth; ++x) {
      uint8_t* p = &frame.pixels[(size_t{y} * kWidth + x) * 3];
      const int32_t base[3] = {int32_t(x * 255 / kWidth), int32_t(y * 255 / kHeight),
                               int32_t((x + y) * 255 / (kWidth + kHeight))};
      for (int c = 0; c < 3; ++c) {
        grain = grain * 1103515245 + 12345;
        const int32_t noise = static_cast<int32_t>((grain >> 16) & 15) - 8;
        p[c] = static_cast<uint8_t>(std::clamp(base[c] + noise, 0, 255));
      }
      if (y / 40 == 5 && (x / 20) % 2 == 0) p[(x / 40) % 3] = 255;
    }
  }
  return frame;
}

Palette BuildPalette(const platform::Image& frame) {
  ColourHistogram histogram;
  histogram.AddWindow(frame, {0, 0, kWidth, kHeight});
  Palette palette{};
  PlaceSystemColours(palette);
  const Reserves reserves = SystemReserves(0, 256);
  const QuantizeResult made = Quantize({}, reserves.high, reserves.low, 256, 0, histogram, palette);
  benchmark::DoNotOptimize(made);
  return palette;
}

void BM_BuildPalette(benchmark::State& state) {
  const platform::Image frame = Frame();
  for (auto _ : state) benchmark::DoNotOptimize(BuildPalette(frame));
}
BENCHMARK(BM_BuildPalette)->Unit(benchmark::kMillisecond);

void MapPlain(PaletteMap& map, const platform::Image& frame, std::vector<uint8_t>& out) {
  const uint8_t* rgb = frame.pixels.data();
  for (size_t i = 0; i < out.size(); ++i, rgb += 3)
    out[i] = map.MapKey(KeyOf(rgb[0], rgb[1], rgb[2]));
}

void MapHalftoned(Halftone& halftone, const platform::Image& frame, std::vector<uint8_t>& out) {
  for (uint32_t y = 0; y < kHeight; ++y) {
    halftone.MapRow(&frame.pixels[size_t{y} * kWidth * 3], kWidth, y, &out[size_t{y} * kWidth]);
  }
}

// state.range(0): 0 plain, 1 halftoned; state.range(1): 1 to empty the caches every frame.
void BM_MapFrame(benchmark::State& state) {
  const platform::Image frame = Frame();
  PaletteMap map(0, 256);
  map.SetPalette(BuildPalette(frame));
  Halftone halftone(map);
  std::vector<uint8_t> out(size_t{kWidth} * kHeight);
  const bool halftoned = state.range(0) != 0, cold = state.range(1) != 0;
  for (auto _ : state) {
    if (cold) {
      map.SetPalette(map.palette());
      halftone.Reset();
    }
    if (halftoned) {
      MapHalftoned(halftone, frame, out);
    } else {
      MapPlain(map, frame, out);
    }
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_MapFrame)
    ->ArgNames({"halftoned", "cold"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kinet::toolkit
