#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/support/colour_pictures.h"
#include "toolkit/colour/colour_work.h"

namespace kinet::toolkit {
namespace {

constexpr uint32_t kWidth = 512, kHeight = 16;

// Grey rising from 0 at the left to 255 at the right, the same in every row.
platform::Image GreyRamp() {
  platform::Image picture = testing::SolidPicture(kWidth, kHeight, 0, 0, 0);
  for (uint32_t y = 0; y < kHeight; ++y) {
    for (uint32_t x = 0; x < kWidth; ++x) {
      std::fill_n(&picture.pixels[(size_t{y} * kWidth + x) * 3], 3,
                  uint8_t(x * 255 / (kWidth - 1)));
    }
  }
  return picture;
}

// The widest run of neighbouring columns in [first, end) that are each one single entry, the
// same entry: a band the eye sees as a flat stripe.
uint32_t WidestBand(const std::vector<uint8_t>& pixels, uint32_t first = 0, uint32_t end = kWidth) {
  uint32_t widest = 0, run = 0;
  int32_t run_entry = -1;
  for (uint32_t x = first; x < end; ++x) {
    int32_t entry = pixels[x];
    for (uint32_t y = 1; y < kHeight && entry >= 0; ++y) {
      if (pixels[y * kWidth + x] != entry) entry = -1;
    }
    run = entry >= 0 && entry == run_entry ? run + 1 : (entry >= 0 ? 1 : 0);
    run_entry = entry;
    widest = std::max(widest, run);
  }
  return widest;
}

// Eight colours made from the picture (a best-case palette also for 8-bit input).
std::vector<uint8_t> Convert(const platform::Image& picture, int32_t halftone, Palette* palette) {
  testing::FrameList frames({picture});
  ColourWork work(
      {.colours = 8, .start_index = 0, .mode = 1, .halftone = halftone, .system_colours = 2});
  std::vector<uint8_t> pixels;
  EXPECT_TRUE(work.NextFrame(picture, frames.Whole(), frames, {}, pixels));
  if (palette) *palette = work.palette();
  return pixels;
}

TEST(Halftone, GradientBecomesAnEvenMixWithoutBands) {
  const platform::Image ramp = GreyRamp();
  const std::vector<uint8_t> plain = Convert(ramp, 2, nullptr);
  EXPECT_GT(WidestBand(plain), 40u) << "eight greys over 512 columns band without halftoning";

  Palette palette;
  const std::vector<uint8_t> dithered = Convert(ramp, 0, &palette);
  // Greys darker or lighter than every entry can only take the outermost entry; between them
  // no stripe may be wider than a few columns. Close to an entry's own grey only the smallest
  // thresholds are passed, and those sit in every fourth column of the 8x8 pattern, so a few
  // flat columns there are the pattern at work; a stripe as wide as the pattern is a band.
  const auto [darkest, lightest] =
      std::minmax({palette[0], palette[3], palette[6], palette[9], palette[12], palette[15],
                   palette[18], palette[21]});
  const uint32_t first = darkest * (kWidth - 1) / 255 + 1, end = lightest * (kWidth - 1) / 255;
  EXPECT_LE(WidestBand(dithered, first, end), 6u);
  // Each 8x8 cell averages to the ramp's grey (within the greys the palette spans): the mix
  // leans the right way.
  for (uint32_t cell = 0; cell < kWidth / 8; ++cell) {
    double sum = 0, wanted = 0;
    for (uint32_t y = 0; y < 8; ++y) {
      for (uint32_t x = cell * 8; x < cell * 8 + 8; ++x) {
        sum += palette[dithered[y * kWidth + x] * 3];
        wanted += std::clamp(ramp.pixels[(size_t{y} * kWidth + x) * 3], darkest, lightest);
      }
    }
    EXPECT_NEAR(sum / 64, wanted / 64, 10.0) << "cell " << cell;
  }
}

TEST(Halftone, StillAreasGiveTheSamePixelsInEveryFrame) {
  // The second frame differs only in a corner; the halftone pattern hangs on the frame
  // position, so every other pixel must come out as before (nothing crawls).
  platform::Image first = testing::DetailPicture(96, 64), second = first;
  for (uint32_t y = 0; y < 8; ++y) {
    std::fill_n(&second.pixels[y * 96 * 3], 8 * 3, uint8_t{200});
  }
  testing::FrameList frames({first, second});
  ColourWork work({.colours = 64, .period = 1000});
  std::vector<uint8_t> a, b;
  ASSERT_TRUE(work.NextFrame(first, frames.Whole(), frames, {}, a));
  frames.set_current(1);
  ASSERT_TRUE(work.NextFrame(second, frames.Whole(), frames, {}, b));
  EXPECT_EQ(frames.analyses().size(), 1u);
  for (size_t i = 0; i < a.size(); ++i) {
    if (i % 96 < 8 && i / 96 < 8) continue;
    ASSERT_EQ(a[i], b[i]) << "pixel " << i;
  }
}

// Whether every pixel of one input index came out as one entry.
bool OneEntryPerIndex(const platform::Image& input, const std::vector<uint8_t>& output) {
  std::vector<int32_t> seen(256, -1);
  for (size_t i = 0; i < output.size(); ++i) {
    int32_t& entry = seen[input.pixels[i]];
    if (entry >= 0 && entry != output[i]) return false;
    entry = output[i];
  }
  return true;
}

TEST(Halftone, EightBitInputIsHalftonedOnlyWhenAlwaysAsked) {
  const platform::Image indexed = testing::IndexedPicture(256, 16, testing::GreyPalette(255));
  EXPECT_TRUE(OneEntryPerIndex(indexed, Convert(indexed, 0, nullptr)));
  EXPECT_FALSE(OneEntryPerIndex(indexed, Convert(indexed, 1, nullptr)));
}

}  // namespace
}  // namespace kinet::toolkit
