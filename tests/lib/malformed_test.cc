// Broken files: a short read is a one-way read-error state, and no cut, lie or corruption may
// make the library crash, hang or touch memory outside its buffers (the sanitizer run checks).
#include <gtest/gtest.h>

#include <random>

#include "kinet/kinet.h"
#include "lib/core/format.h"
#include "tests/support/animation_fixtures.h"

namespace kinet::testing {
namespace {

// Opens and plays every frame twice around with rectangles; returns whether it opened.
bool PlayAll(const std::string& path, uint32_t flags, int32_t extra) {
  KinetHandle* h = KinetOpen(path.c_str(), flags, extra);
  if (!h) return false;
  std::vector<uint8_t> buffer(size_t{h->Width} * h->Height + 1);
  KinetToBuffer(h, 0, 0, static_cast<int32_t>(h->Width), static_cast<int32_t>(h->Height),
                buffer.data(), 0);
  for (uint32_t f = 0; f < 2 * (h->Frames + 1) && f < 200; ++f) {
    KinetDoFrame(h);
    while (KinetToBufferRect(h, 3)) {
    }
    KinetNextFrame(h);
  }
  KinetGoto(h, 3);
  KinetDoFrame(h);
  KinetClose(h);
  return true;
}

std::string SampleFile() {
  auto frames = SpriteAnimation(40, 24, 5, 2);
  encoder::AnimationSettings s{40, 24, 100};
  s.ring_frame = true;
  return WriteTestFile("sample.knt", s, frames);
}

TEST(Malformed, ShortReadIsAOneWayState) {
  const std::string path = SampleFile();
  auto bytes = ReadWholeFile(path);
  KinetHeader header = ParseHeader(bytes.data());
  const size_t first_record = 104 + 5 * 6 + header.TreeSize;
  bytes.resize(first_record + 2 * (bytes.size() - first_record) / 3);
  WriteWholeFile(path, bytes);

  KinetHandle* h = KinetOpen(path.c_str(), 0, 0);
  ASSERT_NE(h, nullptr);
  std::vector<uint8_t> buffer(40 * 24, 0);
  KinetToBuffer(h, 0, 0, 40, 24, buffer.data(), 0);
  uint32_t steps = 0;
  while (!h->ReadError && steps < 10) {
    KinetDoFrame(h);
    KinetNextFrame(h);
    ++steps;
  }
  ASSERT_EQ(h->ReadError, 1u);
  const auto before = buffer;
  const uint32_t frame = h->FrameNum;
  EXPECT_EQ(KinetDoFrame(h), 0u);
  EXPECT_EQ(buffer, before);
  KinetGoto(h, 1);
  EXPECT_EQ(h->FrameNum, frame);
  KinetNextFrame(h);
  EXPECT_EQ(h->FrameNum, frame + 1) << "only the frame number moves";
  EXPECT_EQ(h->ReadError, 1u);
  KinetClose(h);
}

TEST(Malformed, EveryTruncationFailsOrReadErrorsCleanly) {
  const std::string path = SampleFile();
  const auto bytes = ReadWholeFile(path);
  const std::string cut_path = path + ".cut";
  for (size_t n = 0; n < bytes.size(); n += (n < 700 ? 1 : 37)) {
    WriteWholeFile(cut_path, std::vector<uint8_t>(bytes.begin(), bytes.begin() + n));
    PlayAll(cut_path, 0, 0);
    PlayAll(cut_path, KINET_OPEN_PRELOAD, -1);
  }
  EXPECT_FALSE(PlayAll(cut_path + ".missing", 0, -1));
}

TEST(Malformed, LyingHeadersAreRefused) {
  const std::string path = SampleFile();
  const auto good = ReadWholeFile(path);
  auto with_word = [&](size_t offset, uint32_t value) {
    auto bytes = good;
    StoreLe32(&bytes[offset], value);
    WriteWholeFile(path, bytes);
    return PlayAll(path, 0, -1);
  };
  EXPECT_FALSE(with_word(0, 0x33544E4B)) << "signature";
  EXPECT_FALSE(with_word(12, 0x7FFFFFFF)) << "frame count beyond the file";
  EXPECT_FALSE(with_word(104, 0x7FFFFFFF)) << "a frame record larger than the file";
  EXPECT_FALSE(with_word(52, 0xFFFFFF00)) << "tree block beyond the file";
  EXPECT_FALSE(with_word(56, 4)) << "mono-map tree larger than its size";
  EXPECT_FALSE(with_word(4, 1u << 20)) << "absurd width";
  EXPECT_TRUE(with_word(4, 0)) << "zero width decodes nothing";
  EXPECT_TRUE(with_word(8, 2)) << "less than one block row";
}

TEST(Malformed, RandomCorruptionNeverEscapesTheBuffers) {
  const std::string path = SampleFile();
  const auto good = ReadWholeFile(path);
  std::mt19937 rng(99);
  for (int round = 0; round < 300; ++round) {
    auto bytes = good;
    const int hits = 1 + round % 8;
    for (int i = 0; i < hits; ++i) {
      // Mostly past the header, where trees, palettes and video live.
      const size_t at = round % 5 == 0 ? rng() % 140 : 104 + rng() % (bytes.size() - 104);
      bytes[at] = static_cast<uint8_t>(rng());
    }
    WriteWholeFile(path, bytes);
    PlayAll(path, round % 2 ? KINET_OPEN_PRELOAD : 0, round % 3 ? -1 : 8192);
  }
}

}  // namespace
}  // namespace kinet::testing
