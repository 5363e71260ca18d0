// Animated GIF and PNG input: pictures composed on the screen as browsers show them (transparency,
// the three disposals, local colour tables), the frame rate from the delays, and files that
// are single pictures or cut short.
#include <gtest/gtest.h>

#include <vector>

#include "platform/images/gif_animation.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/apng_fixtures.h"
#include "tests/support/gif_fixtures.h"
#include "tests/support/graphics_fixtures.h"
#include "toolkit/graphics/animation_frames.h"
#include "toolkit/graphics/graphics_source.h"

namespace kinet::toolkit {
namespace {

using kinet::testing::GifPicture;

std::array<uint8_t, 768> Palette() {
  std::array<uint8_t, 768> p{};
  for (int i = 0; i < 256; ++i)
    p[i * 3] = uint8_t(i), p[i * 3 + 1] = uint8_t(2 * i), p[i * 3 + 2] = 7;
  return p;
}

GifPicture Picture(uint32_t left, uint32_t top, uint32_t width, uint32_t height,
                   std::vector<uint8_t> pixels) {
  GifPicture p;
  p.left = left, p.top = top, p.width = width, p.height = height, p.pixels = std::move(pixels);
  return p;
}

TEST(GifAnimation, TransparencyAndClearingToTheBackgroundOnOneGlobalPalette) {
  const std::string path = kinet::testing::TempPath("composed.gif");
  GifPicture full = Picture(0, 0, 8, 4, std::vector<uint8_t>(32, 1));
  GifPicture sprite = Picture(2, 1, 2, 2, {2, 3, 2, 2});
  sprite.transparent = 3, sprite.disposal = 2;
  GifPicture dot = Picture(0, 0, 1, 1, {2});
  dot.delay_cs = 20;
  ASSERT_TRUE(kinet::testing::WriteAnimatedGif(path, 8, 4, Palette(), {full, sprite, dot}));

  testing::Recorder recorder;
  SourceOptions options;
  options.callbacks = recorder.Callbacks();
  auto source = GraphicsSource::Open(platform::SystemFileSystem(), options, path);
  ASSERT_TRUE(source);
  EXPECT_EQ(source->frame_count(), 3u);
  EXPECT_EQ(source->frame_rate(), 100);
  EXPECT_TRUE(
      recorder.Said("Frame delays vary from 100 to 200 ms; each frame shows for 100 "
                    "ms, the most common delay."));
  std::vector<std::vector<uint8_t>> frames;
  while (!source->at_end() && source->NextFrame()) frames.push_back(source->pixels());
  ASSERT_EQ(frames.size(), 3u);
  std::vector<uint8_t> expected(32, 1);
  EXPECT_EQ(frames[0], expected);
  expected[1 * 8 + 2] = 2, expected[2 * 8 + 2] = 2, expected[2 * 8 + 3] = 2;  // (3,1) shows through
  EXPECT_EQ(frames[1], expected);
  for (int at : {1 * 8 + 2, 1 * 8 + 3, 2 * 8 + 2, 2 * 8 + 3}) expected[at] = 0;
  expected[0] = 2;
  EXPECT_EQ(frames[2], expected);
  EXPECT_EQ(source->palette()[2 * 3 + 1], 4);
}

TEST(GifAnimation, LocalTablesGiveColourFramesAndPuttingBackRestoresTheScreen) {
  const std::string path = kinet::testing::TempPath("local.gif");
  std::array<uint8_t, 768> local{};
  local[5 * 3] = 200;
  GifPicture full = Picture(0, 0, 4, 2, std::vector<uint8_t>(8, 1));
  GifPicture red = Picture(0, 0, 1, 1, {5});
  red.local_palette = local, red.disposal = 3;
  GifPicture corner = Picture(3, 1, 1, 1, {2});
  ASSERT_TRUE(kinet::testing::WriteAnimatedGif(path, 4, 2, Palette(), {full, red, corner}));

  auto frames = AnimationFrames::Open(platform::SystemFileSystem(), path);
  ASSERT_TRUE(frames);
  EXPECT_EQ(frames->Remark(), "");
  platform::Image image;
  ASSERT_GT(frames->Read(image), 0u);
  ASSERT_EQ(image.bits, 24u);
  EXPECT_EQ(std::vector<uint8_t>(image.pixels.begin(), image.pixels.begin() + 3),
            (std::vector<uint8_t>{1, 2, 7}));
  ASSERT_GT(frames->Read(image), 0u);
  EXPECT_EQ(image.pixels[0], 200);
  ASSERT_GT(frames->Read(image), 0u);
  EXPECT_EQ(image.pixels[0], 1) << "the red pixel is put back";
  EXPECT_EQ(image.pixels[(1 * 4 + 3) * 3 + 1], 4);
  // After the last picture the animation starts over.
  ASSERT_GT(frames->Read(image), 0u);
  EXPECT_EQ(image.pixels[(1 * 4 + 3) * 3 + 1], 2);
}

TEST(GifAnimation, SinglePicturesAreStillsAndCutFilesKeepTheirWholePictures) {
  const std::string one = kinet::testing::TempPath("one.gif");
  ASSERT_TRUE(kinet::testing::WriteAnimatedGif(one, 4, 2, Palette(),
                                               {Picture(0, 0, 4, 2, std::vector<uint8_t>(8, 1))}));
  EXPECT_FALSE(AnimationFrames::Open(platform::SystemFileSystem(), one));
  testing::Recorder recorder;
  SourceOptions options;
  options.callbacks = recorder.Callbacks();
  auto still = GraphicsSource::Open(platform::SystemFileSystem(), options, one);
  ASSERT_TRUE(still);
  EXPECT_EQ(still->frame_count(), 1u);

  const std::string cut = kinet::testing::TempPath("cut.gif");
  std::vector<GifPicture> pictures(3, Picture(0, 0, 64, 64, std::vector<uint8_t>(4096, 9)));
  for (size_t i = 0; i < pictures.size(); ++i) pictures[i].pixels[i] = 200;  // no two alike
  ASSERT_TRUE(kinet::testing::WriteAnimatedGif(cut, 64, 64, Palette(), pictures));
  std::vector<uint8_t> bytes = kinet::testing::ReadWholeFile(cut);
  for (size_t keep = 6; keep < bytes.size(); keep += 37) {
    auto animation =
        platform::GifAnimation::Decode(std::vector<uint8_t>(bytes.begin(), bytes.begin() + keep));
    if (!animation) continue;
    platform::Image image;
    for (uint32_t i = 0; i < 2 * animation->frame_count(); ++i) EXPECT_TRUE(animation->Next(image));
    EXPECT_LT(animation->frame_count(), 3u);
  }
  EXPECT_EQ(platform::GifAnimation::Decode(bytes)->frame_count(), 3u);
}

platform::Image Solid(uint32_t width, uint32_t height, uint32_t bits, std::vector<uint8_t> pixel) {
  platform::Image image;
  image.width = width, image.height = height, image.bits = bits;
  EXPECT_TRUE(image.Allocate());
  for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = pixel[i % pixel.size()];
  return image;
}

TEST(PngAnimation, FramesAreBlendedClearedAndTimedAsTheirControlChunksSay) {
  const std::string path = kinet::testing::TempPath("moving.png");
  kinet::testing::ApngFrame red{Solid(8, 4, 32, {255, 0, 0, 255})};
  kinet::testing::ApngFrame green{Solid(2, 2, 32, {0, 255, 0, 255}), 2, 1};
  green.dispose = 1;  // cleared once shown
  kinet::testing::ApngFrame clear{Solid(1, 1, 32, {0, 0, 255, 0}), 0, 0, 2, 10};
  clear.blend = 1;  // a fully transparent pixel blended over leaves the red
  ASSERT_TRUE(kinet::testing::WriteAnimatedPng(path, 8, 4, {red, green, clear}));

  auto frames = AnimationFrames::Open(platform::SystemFileSystem(), path);
  ASSERT_TRUE(frames);
  EXPECT_EQ(frames->frame_count(), 3u);
  EXPECT_EQ(frames->frame_rate(), 100);
  EXPECT_NE(frames->Remark().find("from 100 to 200 ms"), std::string::npos) << frames->Remark();
  auto at = [](const platform::Image& image, uint32_t x, uint32_t y) {
    const uint8_t* p = &image.pixels[(size_t{y} * image.width + x) * 3];
    return std::vector<uint8_t>{p[0], p[1], p[2]};
  };
  const std::vector<uint8_t> kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlack{0, 0, 0};
  platform::Image image;
  ASSERT_GT(frames->Read(image), 0u);
  ASSERT_EQ(image.bits, 24u);
  EXPECT_EQ(at(image, 3, 2), kRed);
  ASSERT_GT(frames->Read(image), 0u);
  EXPECT_EQ(at(image, 3, 2), kGreen);
  EXPECT_EQ(at(image, 4, 2), kRed);
  ASSERT_GT(frames->Read(image), 0u);
  EXPECT_EQ(at(image, 3, 2), kBlack) << "the green square was cleared";
  EXPECT_EQ(at(image, 0, 0), kRed);
  // A still PNG is no animation.
  const std::string still = kinet::testing::TempPath("still.png");
  ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), platform::ImageFormat::kPng,
                                       still, Solid(4, 4, 24, {1, 2, 3})));
  EXPECT_FALSE(AnimationFrames::Open(platform::SystemFileSystem(), still));
}

TEST(GifAnimation, TheCommonDelayCountsShortDelaysAsBrowsersDo) {
  EXPECT_EQ(CommonDelayMs({}), 100u);
  EXPECT_EQ(CommonDelayMs({0, 0, 10, 50}), 100u);
  EXPECT_EQ(CommonDelayMs({40, 40, 30, 30, 90}), 30u);
}

}  // namespace
}  // namespace kinet::toolkit
