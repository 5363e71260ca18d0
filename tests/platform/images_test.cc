// Pictures through every format: 8-bit pictures keep palette and indices exactly, colour
// pictures keep their colours; hand-made files reach the forms our writers do not produce
// (BMP RLE8, RLE4 and 4-bit, plain bottom-up Targa, 24-bit PCX); cut and corrupted files fail
// cleanly.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "platform/bytes/byte_io.h"
#include "platform/images/image.h"

namespace kinet::platform {
namespace {

Image Indexed(uint32_t width, uint32_t height, uint32_t seed) {
  Image image;
  image.width = width, image.height = height, image.bits = 8;
  EXPECT_TRUE(image.Allocate());
  std::mt19937 random(seed);
  for (auto& v : image.palette) v = static_cast<uint8_t>(random());
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    // Runs and noise, so the run-length coders meet both.
    image.pixels[i] = (i / 7) % 3 == 0 ? static_cast<uint8_t>(i / 50) : random() & 255;
  }
  return image;
}

Image Colour(uint32_t width, uint32_t height, uint32_t bits) {
  Image image;
  image.width = width, image.height = height, image.bits = bits;
  EXPECT_TRUE(image.Allocate());
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    image.pixels[i] = static_cast<uint8_t>(i * 37 / 5 + i / 300);
  }
  if (bits == 16) {
    for (size_t i = 1; i < image.pixels.size(); i += 2) image.pixels[i] &= 0x7F;
  }
  return image;
}

Image RoundTrip(ImageFormat format, const Image& image) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(EncodeImage(format, image, bytes));
  auto back = DecodeImage(format, bytes);
  EXPECT_TRUE(back.has_value());
  return back.value_or(Image{});
}

TEST(ImagesTest, EightBitPicturesKeepIndicesAndPalette) {
  for (ImageFormat f : {ImageFormat::kBmp, ImageFormat::kGif, ImageFormat::kTiff, ImageFormat::kPcx,
                        ImageFormat::kTga, ImageFormat::kPng}) {
    SCOPED_TRACE(std::string(DefaultExtension(f)));
    for (uint32_t width : {1u, 13u, 64u}) {
      const Image image = Indexed(width, 9, width);
      const Image back = RoundTrip(f, image);
      EXPECT_EQ(back.bits, 8u);
      EXPECT_EQ(back.width, image.width);
      EXPECT_EQ(back.height, image.height);
      EXPECT_EQ(back.pixels, image.pixels);
      EXPECT_EQ(back.palette, image.palette);
    }
  }
}

TEST(ImagesTest, ColourPicturesKeepTheirColours) {
  for (ImageFormat f :
       {ImageFormat::kBmp, ImageFormat::kTga, ImageFormat::kTiff, ImageFormat::kPng}) {
    SCOPED_TRACE(std::string(DefaultExtension(f)));
    for (uint32_t bits : {24u, 32u}) {
      const Image image = Colour(21, 5, bits);
      const Image back = RoundTrip(f, image);
      ASSERT_EQ(back.bits, bits);
      for (size_t i = 0; i < image.pixels.size(); ++i) {
        if (bits == 32 && i % 4 == 3 && f == ImageFormat::kBmp) continue;  // BMP has no alpha
        ASSERT_EQ(back.pixels[i], image.pixels[i]) << i;
      }
    }
  }
  // 16-bit survives where the format has a 5-5-5 form.
  for (ImageFormat f : {ImageFormat::kBmp, ImageFormat::kTga}) {
    const Image image = Colour(7, 3, 16);
    EXPECT_EQ(RoundTrip(f, image).pixels, image.pixels);
  }
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(EncodeImage(ImageFormat::kGif, Colour(4, 4, 24), bytes));
  EXPECT_FALSE(EncodeImage(ImageFormat::kPcx, Colour(4, 4, 24), bytes));
}

TEST(ImagesTest, JpegKeepsColoursCloseAndGreyAsEightBit) {
  Image flat = Indexed(32, 16, 3);
  std::fill(flat.pixels.begin(), flat.pixels.end(), 5);
  const Image back = RoundTrip(ImageFormat::kJpeg, flat);
  ASSERT_EQ(back.bits, 24u);
  for (size_t i = 0; i < back.pixels.size(); ++i) {
    EXPECT_NEAR(back.pixels[i], flat.palette[15 + i % 3], 3) << i;
  }
}

// A 4x3 RLE8 BMP, bottom-up, with a run, a literal, a move and end-of-line codes.
std::vector<uint8_t> RleBmp() {
  std::vector<uint8_t> b = {'B', 'M'};
  PutU32(b, 0), PutU32(b, 0), PutU32(b, 14 + 40 + 8);
  PutU32(b, 40), PutU32(b, 4), PutU32(b, 3), PutU16(b, 1), PutU16(b, 8), PutU32(b, 1);
  PutU32(b, 0), PutU32(b, 0), PutU32(b, 0), PutU32(b, 2), PutU32(b, 0);
  for (uint8_t v : {10, 20, 30, 0, 40, 50, 60, 0}) PutU8(b, v);
  // Bottom line: 4 x index 1. Middle: literal 0 1 0, then end of line. Top: move 2 right,
  // then 2 x index 1, then end of picture.
  for (uint8_t v : {4, 1, 0, 0, 0, 3, 0, 1, 0, 0, 0, 0, 0, 2, 2, 0, 2, 1, 0, 1}) PutU8(b, v);
  return b;
}

TEST(ImagesTest, HandMadeFormsOurWritersDoNotProduce) {
  auto rle = DecodeImage(ImageFormat::kBmp, RleBmp());
  ASSERT_TRUE(rle.has_value());
  EXPECT_EQ(rle->pixels, (std::vector<uint8_t>{0, 0, 1, 1, 0, 1, 0, 0, 1, 1, 1, 1}));
  EXPECT_EQ(rle->palette[3], 60);
  EXPECT_EQ(rle->palette[5], 40);

  // 4-bit BMP, top-down: two pixels per byte.
  std::vector<uint8_t> b = {'B', 'M'};
  PutU32(b, 0), PutU32(b, 0), PutU32(b, 14 + 40 + 64);
  PutU32(b, 40), PutU32(b, 3), PutU32(b, static_cast<uint32_t>(-2)), PutU16(b, 1), PutU16(b, 4);
  for (int i = 0; i < 6; ++i) PutU32(b, 0);
  b.resize(b.size() + 64);
  for (uint8_t v : {0x12, 0x30, 0, 0, 0xFE, 0xD0, 0, 0}) PutU8(b, v);
  auto four = DecodeImage(ImageFormat::kBmp, b);
  ASSERT_TRUE(four.has_value());
  EXPECT_EQ(four->pixels, (std::vector<uint8_t>{1, 2, 3, 15, 14, 13}));

  // 16-bit 5-6-5 bit fields, top-down: red, green, blue and a grey pixel.
  std::vector<uint8_t> m = {'B', 'M'};
  PutU32(m, 0), PutU32(m, 0), PutU32(m, 14 + 40 + 12);
  PutU32(m, 40), PutU32(m, 2), PutU32(m, static_cast<uint32_t>(-2)), PutU16(m, 1), PutU16(m, 16);
  PutU32(m, 3);
  for (int i = 0; i < 5; ++i) PutU32(m, 0);
  PutU32(m, 0xF800), PutU32(m, 0x07E0), PutU32(m, 0x001F);
  PutU16(m, 0xF800), PutU16(m, 0x07E0), PutU16(m, 0x001F), PutU16(m, 0x8410);
  auto masked = DecodeImage(ImageFormat::kBmp, m);
  ASSERT_TRUE(masked.has_value());
  EXPECT_EQ(masked->bits, 24u);
  EXPECT_EQ(masked->pixels, (std::vector<uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 131, 129, 131}));

  // Plain bottom-up colour-mapped Targa with an id field and a 2-entry 24-bit map from 5.
  std::vector<uint8_t> t = {3, 1, 1};
  PutU16(t, 5), PutU16(t, 2), PutU8(t, 24), PutU32(t, 0), PutU16(t, 2), PutU16(t, 2);
  PutU8(t, 8), PutU8(t, 0);
  for (int v : {105, 100, 33, 1, 2, 3, 4, 5, 6, 5, 6, 6, 5}) PutU8(t, v);  // "id!", map, pixels
  auto tga = DecodeImage(ImageFormat::kTga, t);
  ASSERT_TRUE(tga.has_value());
  EXPECT_EQ(tga->pixels, (std::vector<uint8_t>{6, 5, 5, 6}));
  EXPECT_EQ(tga->palette[15], 3);
  EXPECT_EQ(tga->palette[17], 1);

  // 24-bit PCX: three planes per line, a run crossing the plane boundary.
  std::vector<uint8_t> p(128, 0);
  p[0] = 10, p[1] = 5, p[2] = 1, p[3] = 8, p[8] = 1, p[65] = 3, p[66] = 2;
  for (uint8_t v : {0xC3, 7, 8, 9, 0xC2, 1}) PutU8(p, v);
  auto pcx = DecodeImage(ImageFormat::kPcx, p);
  ASSERT_TRUE(pcx.has_value());
  EXPECT_EQ(pcx->bits, 24u);
  EXPECT_EQ(pcx->pixels, (std::vector<uint8_t>{7, 7, 9, 7, 8, 1}));
}

// A BMP of `width` x `height`, bottom-up, with 16 palette entries and run-length coded `data`.
std::vector<uint8_t> RunLengthBmp(uint32_t compression, uint16_t bits, uint32_t width,
                                  uint32_t height, std::initializer_list<uint8_t> data) {
  std::vector<uint8_t> b = {'B', 'M'};
  PutU32(b, 0), PutU32(b, 0), PutU32(b, 14 + 40 + 64);
  PutU32(b, 40), PutU32(b, width), PutU32(b, height), PutU16(b, 1), PutU16(b, bits);
  PutU32(b, compression), PutU32(b, 0), PutU32(b, 0), PutU32(b, 0), PutU32(b, 16), PutU32(b, 0);
  for (int i = 0; i < 64; ++i) PutU8(b, static_cast<uint8_t>(i % 4 == 3 ? 0 : i));
  b.insert(b.end(), data);
  return b;
}

TEST(ImagesTest, RunLengthCodedBmpsOfBothDepths) {
  // RLE4, 5 wide: a run alternates the two indices of its byte; literals hold two indices a
  // byte and are padded to a word; a move skips pixels.
  auto four = DecodeImage(
      ImageFormat::kBmp,
      RunLengthBmp(2, 4, 5, 3, {5, 0x12, 0,    0,                    // bottom: 1 2 1 2 1
                                0, 3,    0x34, 0x50, 0,    2, 1, 0,  // 3 4 5, move 1 right
                                1, 0x70, 0,    0,                    // 7
                                0, 5,    0x9A, 0xBC, 0xD0, 0,        // top: 9 .. 13, pad
                                0, 1}));
  ASSERT_TRUE(four.has_value());
  EXPECT_EQ(four->bits, 8u);
  EXPECT_EQ(four->pixels, (std::vector<uint8_t>{9, 10, 11, 12, 13, 3, 4, 5, 0, 7, 1, 2, 1, 2, 1}));
  EXPECT_EQ(four->palette[3 * 2], 10);  // entry 2: blue 8, green 9, red 10
  EXPECT_EQ(four->palette[3 * 2 + 2], 8);

  // Runs past the right edge are cut there, not carried into the next line; a move past the
  // last line ends the picture; a cut literal fails.
  auto eight = DecodeImage(ImageFormat::kBmp, RunLengthBmp(1, 8, 4, 2,
                                                           {9, 5, 0, 0,        // bottom, cut
                                                            0, 2, 1, 1, 2, 6,  // below: dropped
                                                            0, 2, 0, 5, 3, 9}));
  ASSERT_TRUE(eight.has_value());
  EXPECT_EQ(eight->pixels, (std::vector<uint8_t>{0, 0, 0, 0, 5, 5, 5, 5}));
  auto cut_four = DecodeImage(ImageFormat::kBmp, RunLengthBmp(2, 4, 3, 2,
                                                              {9, 0x56, 0, 0,     // 5 6 5, cut
                                                               4, 0x78, 0, 0,     // 7 8 7
                                                               9, 0x11, 0, 1}));  // below
  ASSERT_TRUE(cut_four.has_value());
  EXPECT_EQ(cut_four->pixels, (std::vector<uint8_t>{7, 8, 7, 5, 6, 5}));
  EXPECT_FALSE(DecodeImage(ImageFormat::kBmp, RunLengthBmp(2, 4, 8, 2, {0, 9, 0x12})));
  // RLE4 is for 4-bit pictures only, RLE8 for 8-bit ones.
  EXPECT_FALSE(DecodeImage(ImageFormat::kBmp, RunLengthBmp(2, 8, 4, 2, {0, 1})));
  EXPECT_FALSE(DecodeImage(ImageFormat::kBmp, RunLengthBmp(1, 4, 4, 2, {0, 1})));
}

TEST(ImagesTest, CutAndCorruptedFilesFailCleanly) {
  for (ImageFormat f : {ImageFormat::kBmp, ImageFormat::kGif, ImageFormat::kTiff, ImageFormat::kPcx,
                        ImageFormat::kTga, ImageFormat::kPng, ImageFormat::kJpeg}) {
    SCOPED_TRACE(std::string(DefaultExtension(f)));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(EncodeImage(f, Indexed(23, 11, 5), bytes));
    // Every cut of the header and a few of the data: nothing, or a picture of the right size.
    for (size_t cut = 0; cut < bytes.size(); cut += cut < 64 ? 1 : 97) {
      auto back = DecodeImage(f, std::span(bytes).first(cut));
      if (back) {
        EXPECT_EQ(back->pixels.size(), back->RowBytes() * back->height);
      }
    }
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
      std::vector<uint8_t> broken = bytes;
      for (int k = 0; k < 4; ++k) broken[random() % broken.size()] = static_cast<uint8_t>(random());
      auto back = DecodeImage(f, broken);
      if (back) {
        EXPECT_EQ(back->pixels.size(), back->RowBytes() * back->height);
      }
    }
  }
  // Sides that lie beyond the limits are refused before anything is allocated.
  std::vector<uint8_t> huge(18, 0);
  huge[2] = 2, huge[12] = 0xFF, huge[13] = 0xFF, huge[14] = 0xFF, huge[15] = 0xFF, huge[16] = 24;
  EXPECT_FALSE(DecodeImage(ImageFormat::kTga, huge).has_value());
}

TEST(ImagesTest, ExtensionsAndFiles) {
  EXPECT_EQ(FormatFromExtension(".JPEG"), ImageFormat::kJpeg);
  EXPECT_EQ(FormatFromExtension(".Tif"), ImageFormat::kTiff);
  EXPECT_FALSE(FormatFromExtension(".flc").has_value());
  const std::string path = ::testing::TempDir() + "images_test_picture.pcx";
  const Image image = Indexed(5, 4, 1);
  ASSERT_TRUE(WriteImageFile(platform::SystemFileSystem(), ImageFormat::kPcx, path, image));
  auto back = ReadImageFile(platform::SystemFileSystem(), ImageFormat::kPcx, path);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->pixels, image.pixels);
  EXPECT_FALSE(ReadImageFile(platform::SystemFileSystem(), ImageFormat::kBmp, path).has_value());
  std::remove(path.c_str());
  EXPECT_FALSE(WriteImageFile(platform::SystemFileSystem(), ImageFormat::kPcx,
                              "/nonexistent-folder/x.pcx", image));
}

}  // namespace
}  // namespace kinet::platform
