// The viewer's pictures: the order the formats are tried in, the depth a picture is shown
// at, and the 236-colour reduction for displays of 256 colours.
#include <gtest/gtest.h>

#include <set>

#include "frontend/core/view_picture.h"
#include "platform/files/memory_file_system.h"

namespace kinet::desk {
namespace {

using platform::Image;
using platform::ImageFormat;

Image Picture(uint32_t w, uint32_t h, uint32_t bits) {
  Image p;
  p.width = w;
  p.height = h;
  p.bits = bits;
  EXPECT_TRUE(p.Allocate());
  return p;
}

// Every colour of a 64 x 64 24-bit picture differs: red across, green down, blue mixed.
Image Gradient() {
  Image p = Picture(64, 64, 24);
  for (uint32_t y = 0; y < 64; ++y)
    for (uint32_t x = 0; x < 64; ++x) {
      uint8_t* px = &p.pixels[(y * 64 + x) * 3];
      px[0] = uint8_t(x * 4);
      px[1] = uint8_t(y * 4);
      px[2] = uint8_t((x + y) * 2);
    }
  return p;
}

std::string FileOf(ImageFormat format, const Image& picture) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(platform::EncodeImage(format, picture, bytes));
  return std::string(bytes.begin(), bytes.end());
}

TEST(ViewPicture, FormatsAreTriedInOrderUntilOneFits) {
  platform::MemoryFileSystem files;
  files.AddFile("/p/some.pic", "not a picture of any kind");
  std::vector<ImageFormat> tried;
  const auto only_tga = [&](ImageFormat f, std::span<const uint8_t>) -> std::optional<Image> {
    tried.push_back(f);
    if (f == ImageFormat::kTga) return Picture(2, 2, 24);
    return std::nullopt;
  };
  EXPECT_TRUE(LoadViewPicture(files, "/p/some.pic", only_tga));
  EXPECT_EQ(tried, (std::vector<ImageFormat>{ImageFormat::kBmp, ImageFormat::kGif,
                                             ImageFormat::kTiff, ImageFormat::kJpeg,
                                             ImageFormat::kTga}));
  tried.clear();
  const auto none = [&](ImageFormat f, std::span<const uint8_t>) -> std::optional<Image> {
    tried.push_back(f);
    return std::nullopt;
  };
  EXPECT_FALSE(LoadViewPicture(files, "/p/some.pic", none));
  EXPECT_EQ(tried.size(), 6u);
  EXPECT_EQ(tried.back(), ImageFormat::kPcx);
  tried.clear();
  EXPECT_FALSE(LoadViewPicture(files, "/p/missing.bmp", none));
  EXPECT_TRUE(tried.empty());
}

TEST(ViewPicture, TheContentNotTheNameDecides) {
  Image eight = Picture(5, 3, 8);
  for (size_t i = 0; i < eight.pixels.size(); ++i) eight.pixels[i] = uint8_t(i * 7);
  for (int i = 0; i < 256; ++i) eight.palette[3 * i] = uint8_t(i);
  platform::MemoryFileSystem files;
  files.AddFile("/p/really-a-bmp.tga", FileOf(ImageFormat::kBmp, eight));
  files.AddFile("/p/shot.pcx", FileOf(ImageFormat::kPcx, eight));
  files.AddFile("/p/deep.tga", FileOf(ImageFormat::kTga, Gradient()));
  for (const char* name : {"/p/really-a-bmp.tga", "/p/shot.pcx"}) {
    const std::optional<Image> shown = LoadViewPicture(files, name);
    ASSERT_TRUE(shown) << name;
    EXPECT_EQ(shown->bits, 8u);
    EXPECT_EQ(shown->pixels, eight.pixels) << name;
    EXPECT_EQ(shown->palette, eight.palette) << name;
  }
  const std::optional<Image> deep = LoadViewPicture(files, "/p/deep.tga");
  ASSERT_TRUE(deep);
  EXPECT_EQ(deep->bits, 24u);
}

TEST(ViewPicture, DepthShownFollowsThePictureAndTheDisplay) {
  Image eight = Picture(4, 4, 8);
  eight.pixels[5] = 200;
  EXPECT_EQ(ShownPicture(eight, 8).pixels, eight.pixels);  // 8-bit pictures stay as they are
  EXPECT_EQ(ShownPicture(eight, 24).bits, 8u);

  Image high = Picture(2, 1, 16);  // 5 bits each: pure red, then white
  high.pixels = {0x00, 0x7C, 0xFF, 0x7F};
  const Image wide = ShownPicture(high, 24);
  EXPECT_EQ(wide.bits, 24u);
  EXPECT_EQ(wide.pixels, (std::vector<uint8_t>{255, 0, 0, 255, 255, 255}));

  Image alpha = Picture(1, 1, 32);
  alpha.pixels = {10, 20, 30, 0};
  EXPECT_EQ(ShownPicture(alpha, 32).pixels, (std::vector<uint8_t>{10, 20, 30}));
  EXPECT_EQ(ShownPicture(Gradient(), 8).bits, 8u);  // a 256-colour display
}

TEST(ViewPicture, ARichPictureIsReducedTo236ColoursCloseToItsOwn) {
  const Image rich = Gradient();
  const Image reduced = ReducedColours(rich);
  ASSERT_EQ(reduced.bits, 8u);
  ASSERT_EQ(reduced.pixels.size(), size_t{64 * 64});
  std::set<uint8_t> used(reduced.pixels.begin(), reduced.pixels.end());
  EXPECT_EQ(used.size(), 236u);
  EXPECT_LT(*used.rbegin(), 236);
  int worst = 0;
  for (size_t i = 0; i < reduced.pixels.size(); ++i)
    for (int c = 0; c < 3; ++c)
      worst = std::max(worst, std::abs(int(reduced.palette[reduced.pixels[i] * 3 + c]) -
                                       int(rich.pixels[i * 3 + c])));
  EXPECT_LE(worst, 32);  // 4096 colours in 236 boxes: each spans a few steps of each channel
}

TEST(ViewPicture, APictureWithFewColoursKeepsThemExactly) {
  Image few = Picture(30, 10, 24);
  for (size_t i = 0; i < 300; ++i) {
    few.pixels[i * 3] = uint8_t(i % 200);
    few.pixels[i * 3 + 1] = uint8_t(255 - i % 200);
    few.pixels[i * 3 + 2] = 9;
  }
  const Image reduced = ReducedColours(few);
  for (size_t i = 0; i < 300; ++i)
    for (int c = 0; c < 3; ++c)
      ASSERT_EQ(reduced.palette[reduced.pixels[i] * 3 + c], few.pixels[i * 3 + c]) << i;
  Image one = Picture(3, 3, 24);  // a single colour: one entry
  const Image flat = ReducedColours(one);
  EXPECT_EQ(std::set<uint8_t>(flat.pixels.begin(), flat.pixels.end()), std::set<uint8_t>{0});
}

}  // namespace
}  // namespace kinet::desk
