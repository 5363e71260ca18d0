// The graphics source's colour work: high-colour pictures become 8-bit frames through palettes
// built from the frames to come, or from a palette file.
#include <gtest/gtest.h>

#include "platform/images/image.h"
#include "tests/support/graphics_fixtures.h"
#include "toolkit/colour/picture_supply.h"
#include "toolkit/graphics/graphics_source.h"

namespace kinet::toolkit {
namespace {

using testing::Recorder;

// A 24-bit picture: a horizontal colour ramp that moves with `shift`, in `blue`.
void WriteRamp(const std::string& path, uint32_t shift, uint8_t blue = 90) {
  platform::Image image;
  image.width = 64, image.height = 8, image.bits = 24;
  ASSERT_TRUE(image.Allocate());
  for (uint32_t y = 0; y < 8; ++y)
    for (uint32_t x = 0; x < 64; ++x) {
      uint8_t* p = &image.pixels[(y * 64 + x) * 3];
      p[0] = static_cast<uint8_t>((x + shift) * 4), p[1] = static_cast<uint8_t>(y * 30),
      p[2] = blue;
    }
  ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), platform::ImageFormat::kPng,
                                       path, image));
}

SourceOptions Options(Recorder& recorder) {
  SourceOptions o;
  o.callbacks = recorder.Callbacks();
  o.label = "Copying";
  return o;
}

TEST(GraphicsColourTest, HighColourFramesGetPalettesAsTheSettingsSay) {
  const std::string dir = testing::TestFolder();
  // The third picture is of other colours, so its new palette differs.
  for (uint32_t i = 1; i <= 3; ++i)
    WriteRamp(dir + "Ramp00" + std::to_string(i) + ".png", i, i == 3 ? 250 : 90);
  Recorder recorder;
  SourceOptions o = Options(recorder);
  o.palette.colours = 16;
  o.palette.start_index = 100;
  o.palette.period = 2;
  auto source = GraphicsSource::Open(platform::SystemFileSystem(), o, dir + "Ramp00?.png*1-3");
  ASSERT_TRUE(source);
  std::vector<bool> changed;
  while (!source->at_end()) {
    ASSERT_TRUE(source->NextFrame());
    changed.push_back(source->palette_changed());
    for (uint8_t p : source->pixels()) ASSERT_TRUE(p >= 100 && p < 116) << int(p);
    EXPECT_EQ(source->palette()[255 * 3], 255) << "the system colours stay";
  }
  // A new palette at frames 1 and 3, each analysed from the frames it covers.
  EXPECT_EQ(changed, (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(recorder.Said("Copying frame 2 of 3..."));
}

TEST(GraphicsColourTest, PaletteFileGivesThePalette) {
  const std::string dir = testing::TestFolder();
  WriteRamp(dir + "source.png", 0);
  // The palette file holds only pure red and pure blue.
  platform::Image two;
  two.width = 2, two.height = 1, two.bits = 8;
  two.pixels = {0, 1};
  two.palette[0] = 255, two.palette[5] = 255;
  ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), platform::ImageFormat::kBmp,
                                       dir + "two.bmp", two));
  Recorder recorder;
  SourceOptions o = Options(recorder);
  o.palette.colours = 2;
  o.palette.start_index = 50;
  o.palette.system_colours = 2;
  o.palette.palette_file = dir + "two.bmp";
  auto source = GraphicsSource::Open(platform::SystemFileSystem(), o, dir + "source.png");
  ASSERT_TRUE(source);
  ASSERT_TRUE(source->NextFrame());
  const auto& palette = source->palette();
  for (uint8_t p : source->pixels()) {
    ASSERT_TRUE(p == 50 || p == 51);
    const uint8_t* rgb = &palette[p * 3];
    // Colours are analysed at 6 bits a component.
    EXPECT_TRUE((rgb[0] > 240 && rgb[2] < 16) || (rgb[0] < 16 && rgb[2] > 240));
  }

  o.palette.palette_file = dir + "missing.bmp";
  Recorder failing;
  o.callbacks = failing.Callbacks();
  EXPECT_FALSE(GraphicsSource::Open(platform::SystemFileSystem(), o, dir + "source.png"));
  EXPECT_TRUE(failing.Said(kPaletteFileError));
}

}  // namespace
}  // namespace kinet::toolkit
