#include "lib/core/bit_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "compressor/bit_writer.h"

namespace kinet {
namespace {

TEST(BitReader, ReadsLeastSignificantBitFirstAndZerosPastTheEnd) {
  const uint8_t bytes[] = {0xA5, 0x3C, 0xFF, 0x01, 0x80};
  BitReader r(bytes, sizeof bytes);
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

TEST(BitReader, EmptyRangeDeliversZerosWithoutTouchingMemory) {
  BitReader r(nullptr, 0);
  EXPECT_FALSE(r.Overrun());
  EXPECT_EQ(r.Read(1), 0u);
  EXPECT_TRUE(r.Overrun());
  EXPECT_EQ(r.Read(16), 0u);
}

TEST(BitReader, OddLengthRangeEndsExactlyAtItsLastBit) {
  const uint8_t bytes[] = {0xFF, 0xFF, 0xFF};
  BitReader r(bytes, 3);
  EXPECT_EQ(r.Read(16), 0xFFFFu);
  EXPECT_EQ(r.Read(8), 0xFFu);
  EXPECT_FALSE(r.Overrun());
  EXPECT_EQ(r.Read(1), 0u);
  EXPECT_TRUE(r.Overrun());
}

TEST(BitReader, ReadsBackWhatTheWriterWroteAcrossRefills) {
  // Random field widths over a long stream cross the eight-byte refills at every offset, and
  // the last bytes go through the byte-wise refill.
  std::mt19937 rng(11);
  std::vector<std::pair<uint32_t, int>> fields;
  encoder::BitWriter w;
  for (int i = 0; i < 5000; ++i) {
    const int n = 1 + static_cast<int>(rng() % 16);
    const uint32_t v = rng() & ((1u << n) - 1);
    fields.push_back({v, n});
    w.Write(v, n);
  }
  w.Flush();
  BitReader r(w.bytes().data(), w.bytes().size());
  for (auto [v, n] : fields) ASSERT_EQ(r.Read(n), v);
  EXPECT_FALSE(r.Overrun());
  EXPECT_EQ(r.BitPosition() / 8, w.bytes().size() - (r.BitPosition() % 8 ? 1 : 0));
}

// Repeating what was written since a bit position gives the bits of writing it again and
// again, for every unit length (byte-aligned or not, longer than a word), start and count.
TEST(BitWriter, RepeatGivesTheSameBitsAsWritingAgain) {
  std::mt19937 rng(5);
  for (int unit = 1; unit <= 70; ++unit) {
    for (int lead = 0; lead < 9; ++lead) {
      for (uint64_t copies : {0u, 1u, 2u, 7u, 33u, 500u}) {
        std::vector<int> bits(static_cast<size_t>(unit));
        for (int& b : bits) b = static_cast<int>(rng() & 1);
        encoder::BitWriter once, again;
        once.Write(0x155, lead);
        again.Write(0x155, lead);
        for (int b : bits) once.WriteBit(b);
        for (uint64_t c = 0; c <= copies; ++c)
          for (int b : bits) again.WriteBit(b);
        once.Repeat(static_cast<uint64_t>(lead), copies);
        ASSERT_EQ(once.BitPosition(), again.BitPosition()) << unit << " " << lead << " " << copies;
        once.Write(0x2D, 6);  // what follows lands after the copies
        again.Write(0x2D, 6);
        once.Flush();
        again.Flush();
        ASSERT_EQ(once.bytes(), again.bytes()) << unit << " " << lead << " " << copies;
      }
    }
  }
}

}  // namespace
}  // namespace kinet
