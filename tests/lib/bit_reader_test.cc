#include "core/bit_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace kinet {
namespace {

template <typename Reader>
void ExpectLsbFirst() {
  const uint8_t bytes[] = {0xA5, 0x3C, 0xFF, 0x01, 0x80};
  Reader r(bytes, sizeof bytes);
  EXPECT_EQ(r.Read(1), 1u);  // bit 0 of 0xA5
  EXPECT_EQ(r.Read(3), 0x2u);
  EXPECT_EQ(r.Read(8), 0xCAu);  // high nibble of 0xA5, low nibble of 0x3C
  EXPECT_EQ(r.Peek(16), 0x1FF3u);
  EXPECT_EQ(r.Read(16), 0x1FF3u);
  EXPECT_EQ(r.Read(12), 0x800u);
  EXPECT_FALSE(r.Overrun());
  EXPECT_EQ(r.BitPosition(), 40u);
  // Past the end: zeros, and the overrun is visible.
  EXPECT_EQ(r.Read(16), 0u);
  EXPECT_TRUE(r.Overrun());
}

TEST(BitReader, ReadsLeastSignificantBitFirstAndZerosPastTheEnd) {
  ExpectLsbFirst<VideoBitReader>();
  ExpectLsbFirst<StreamBitReader>();
}

TEST(BitReader, EmptyRangeDeliversZerosWithoutTouchingMemory) {
  VideoBitReader video(nullptr, 0);
  EXPECT_EQ(video.Read(16), 0u);
  EXPECT_TRUE(video.Overrun());
  StreamBitReader stream(nullptr, 0);
  EXPECT_FALSE(stream.Overrun());
  EXPECT_EQ(stream.Read(1), 0u);
  EXPECT_TRUE(stream.Overrun());
}

TEST(BitReader, OddLengthRangeEndsExactlyAtItsLastBit) {
  // A 3-byte range read by 16-bit refills must not count the fourth (virtual) byte as data.
  const uint8_t bytes[] = {0xFF, 0xFF, 0xFF};
  VideoBitReader r(bytes, 3);
  EXPECT_EQ(r.Read(16), 0xFFFFu);
  EXPECT_EQ(r.Read(8), 0xFFu);
  EXPECT_FALSE(r.Overrun());
  EXPECT_EQ(r.Read(1), 0u);
  EXPECT_TRUE(r.Overrun());
}

}  // namespace
}  // namespace kinet
