// AVI input: each video form the reader decodes (8-bit with a palette change, 16, 24 and
// 32-bit, RLE8 with skips that keep the frame before, Motion-JPEG), the frame period, PCM
// audio across chunks, and cut or corrupted files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/avi/avi_reader.h"
#include "platform/images/image.h"
#include "tests/support/avi_test_writer.h"

namespace kinet::platform {
namespace {

using testing::AviAudio;
using testing::AviVideo;
using testing::DibRows;
using testing::MakeAvi;

std::string Save(const std::vector<uint8_t>& bytes, const std::string& name) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("kinet-avi-test-" + std::to_string(getpid()) + name))
                               .string();
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::unique_ptr<AviReader> OpenBytes(const std::vector<uint8_t>& bytes) {
  const std::string path = Save(bytes, "x.avi");
  auto reader = AviReader::Open(SystemFileSystem(), path);
  std::filesystem::remove(path);
  return reader;
}

std::vector<uint8_t> Pixels(uint32_t count, uint32_t seed) {
  std::vector<uint8_t> p(count);
  for (uint32_t i = 0; i < count; ++i) p[i] = static_cast<uint8_t>((i * 13 + seed * 7) ^ (i >> 3));
  return p;
}

TEST(AviTest, UncompressedFormsAndPaletteChanges) {
  AviVideo v;
  v.width = 6, v.height = 3, v.bits = 8, v.scale = 1001, v.rate = 30000;
  for (int i = 0; i < 768; ++i) v.palette.push_back(static_cast<uint8_t>(i));
  const auto a = Pixels(18, 1), b = Pixels(18, 2);
  v.chunks = {DibRows(a, 6, 3, 8), {'P', 'C', 5, 1, 0, 0, 9, 8, 7, 0}, DibRows(b, 6, 3, 8), {}};
  auto reader = OpenBytes(MakeAvi(v, nullptr));
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->width(), 6u);
  EXPECT_EQ(reader->frame_count(), 3u);
  EXPECT_EQ(reader->frame_rate(), -3336);  // 100000 x 1001 / 30000
  EXPECT_EQ(reader->bits(), 8u);
  Image frame;
  ASSERT_GT(reader->ReadFrame(0, frame), 0u);
  EXPECT_EQ(frame.pixels, a);
  EXPECT_EQ(frame.palette[15], 15);
  ASSERT_GT(reader->ReadFrame(1, frame), 0u);
  EXPECT_EQ(frame.pixels, b);
  EXPECT_EQ(frame.palette[15], 9);
  ASSERT_GT(reader->ReadFrame(2, frame), 0u);  // a dropped frame repeats the one before
  EXPECT_EQ(frame.pixels, b);
  ASSERT_GT(reader->ReadFrame(0, frame), 0u);  // back to the start: the first palette again
  EXPECT_EQ(frame.palette[15], 15);

  for (uint32_t bits : {16u, 24u, 32u}) {
    SCOPED_TRACE(bits);
    AviVideo c;
    c.width = 5, c.height = 2, c.bits = bits;
    const uint32_t bpp = bits / 8;
    std::vector<uint8_t> stored = Pixels(10 * bpp, bits);  // top-down, as stored per pixel
    if (bits == 16) {
      for (size_t i = 1; i < stored.size(); i += 2) stored[i] &= 0x7F;
    }
    c.chunks = {DibRows(stored, 5, 2, bits)};
    auto colour = OpenBytes(MakeAvi(c, nullptr));
    ASSERT_TRUE(colour);
    ASSERT_GT(colour->ReadFrame(0, frame), 0u);
    ASSERT_EQ(frame.bits, bits);
    for (uint32_t p = 0; p < 10; ++p) {
      const uint8_t* in = &stored[p * bpp];
      const uint8_t* out = &frame.pixels[p * bpp];
      if (bits == 16) {
        EXPECT_EQ(out[0], in[0]);
        EXPECT_EQ(out[1], in[1]);
      } else {
        EXPECT_EQ(out[0], in[2]);  // stored blue, green, red
        EXPECT_EQ(out[2], in[0]);
      }
    }
  }
}

TEST(AviTest, Rle8AndMotionJpeg) {
  AviVideo v;
  v.width = 4, v.height = 2, v.bits = 8, v.compression = 1;
  v.palette.assign(768, 3);
  // Bottom line 4 x 7, top line literal 1 2 3 4; then a frame that moves past the bottom line
  // and two pixels of the top one and sets the last two to 9.
  v.chunks = {{4, 7, 0, 0, 0, 4, 1, 2, 3, 4, 0, 1}, {0, 2, 2, 1, 2, 9, 0, 1}};
  auto rle = OpenBytes(MakeAvi(v, nullptr));
  ASSERT_TRUE(rle);
  Image frame;
  ASSERT_GT(rle->ReadFrame(0, frame), 0u);
  EXPECT_EQ(frame.pixels, (std::vector<uint8_t>{1, 2, 3, 4, 7, 7, 7, 7}));
  ASSERT_GT(rle->ReadFrame(1, frame), 0u);
  EXPECT_EQ(frame.pixels, (std::vector<uint8_t>{1, 2, 9, 9, 7, 7, 7, 7}));

  Image picture;
  picture.width = 16, picture.height = 8, picture.bits = 24;
  ASSERT_TRUE(picture.Allocate());
  for (size_t i = 0; i < picture.pixels.size(); i += 3) picture.pixels[i] = 200;
  std::vector<uint8_t> jpeg;
  ASSERT_TRUE(EncodeImage(ImageFormat::kJpeg, picture, jpeg));
  AviVideo m;
  m.width = 16, m.height = 8, m.bits = 24, m.compression = 0x47504A4D;
  m.chunks = {jpeg, jpeg, {0xFF, 0xD8, 1, 2}};
  auto mjpg = OpenBytes(MakeAvi(m, nullptr));
  ASSERT_TRUE(mjpg);
  EXPECT_EQ(mjpg->bits(), 24u);
  ASSERT_GT(mjpg->ReadFrame(1, frame), 0u);
  EXPECT_NEAR(frame.pixels[0], 200, 4);
  EXPECT_NEAR(frame.pixels[1], 0, 4);
  EXPECT_EQ(mjpg->ReadFrame(2, frame), 0u);  // a broken frame fails
}

TEST(AviTest, PcmAudioAcrossChunks) {
  AviVideo v;
  v.width = 2, v.height = 2, v.bits = 24;
  v.chunks.assign(3, DibRows(Pixels(12, 0), 2, 2, 24));
  AviAudio a;
  a.channels = 2, a.bits = 16, a.sample_rate = 22050;
  a.bytes = Pixels(1001, 5);
  auto reader = OpenBytes(MakeAvi(v, &a));
  ASSERT_TRUE(reader);
  ASSERT_TRUE(reader->has_audio());
  EXPECT_EQ(reader->audio_format()->channels, 2);
  EXPECT_EQ(reader->audio_format()->bytes_per_second, 88200u);
  EXPECT_EQ(reader->audio_bytes(), 1001u);
  std::vector<uint8_t> got(600);
  EXPECT_EQ(reader->ReadAudio(300, got.data(), got.size()), 600u);
  EXPECT_TRUE(std::equal(got.begin(), got.end(), a.bytes.begin() + 300));
  EXPECT_EQ(reader->ReadAudio(1000, got.data(), 10), 1u);

  // A stream of another type is no sound, whatever its format chunk looks like.
  std::vector<uint8_t> text = MakeAvi(v, &a);
  const std::string auds = "auds";
  auto at = std::search(text.begin(), text.end(), auds.begin(), auds.end());
  ASSERT_NE(at, text.end());
  std::copy_n("txts", 4, at);
  auto no_sound = OpenBytes(text);
  ASSERT_TRUE(no_sound);
  EXPECT_FALSE(no_sound->has_audio());
}

TEST(AviTest, CutAndCorruptedFilesFailCleanly) {
  AviVideo v;
  v.width = 8, v.height = 4, v.bits = 8, v.compression = 1;
  v.palette.assign(768, 1);
  v.chunks = {{8, 1, 0, 0, 8, 2, 0, 0, 8, 3, 0, 0, 8, 4, 0, 1}, {0, 2, 3, 1, 0, 1}};
  AviAudio a;
  a.bytes = Pixels(50, 1);
  const std::vector<uint8_t> good = MakeAvi(v, &a);
  const std::string path = Save(good, "cut.avi");
  auto read_all = [&](const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    auto reader = AviReader::Open(SystemFileSystem(), path);
    if (!reader) return -1;
    Image frame;
    int read = 0;
    for (uint32_t i = 0; i < reader->frame_count(); ++i) read += reader->ReadFrame(i, frame) > 0;
    std::vector<uint8_t> sound(64);
    reader->ReadAudio(0, sound.data(), sound.size());
    return read;
  };
  EXPECT_EQ(read_all(good), 2);
  for (size_t cut = 0; cut < good.size(); cut += 5) {
    EXPECT_LE(read_all({good.begin(), good.begin() + cut}), 2);
  }
  std::mt19937 random(4);
  for (int round = 0; round < 150; ++round) {
    std::vector<uint8_t> broken = good;
    for (int k = 0; k < 3; ++k) broken[random() % broken.size()] = static_cast<uint8_t>(random());
    read_all(broken);
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace kinet::platform
