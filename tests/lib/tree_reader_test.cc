// Trees written bit by bit, so that the reader is checked against the stored form itself and
// not only against our own tree builder.
#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "compressor/bit_writer.h"
#include "lib/core/byte_tree.h"
#include "lib/core/word_tree.h"

namespace kinet {
namespace {

// A byte tree of one leaf: bits 0, the value, the closing 0.
void WriteSingleLeafByteTree(encoder::BitWriter& w, uint8_t value) {
  w.WriteBit(false);
  w.Write(value, 8);
  w.WriteBit(false);
}

// A word tree whose byte trees each hold one value, so that every leaf needs no bits to spell
// (all leaves carry the same value lo | hi << 8) and the tree's shape is all that is read.
void WriteWordTreePrefix(encoder::BitWriter& w, uint8_t lo, uint8_t hi, uint16_t e0, uint16_t e1,
                         uint16_t e2) {
  w.WriteBit(true);  // present
  w.WriteBit(true);
  WriteSingleLeafByteTree(w, lo);
  w.WriteBit(true);
  WriteSingleLeafByteTree(w, hi);
  w.Write(e0, 16);
  w.Write(e1, 16);
  w.Write(e2, 16);
}

BitReader ReaderOver(encoder::BitWriter& w) {
  w.Flush();
  return BitReader(w.bytes().data(), w.bytes().size());
}

TEST(ByteTree, SingleLeafDecodesForeverWithoutConsumingBits) {
  encoder::BitWriter w;
  WriteSingleLeafByteTree(w, 0x5A);
  auto r = ReaderOver(w);
  ByteTree tree;
  ASSERT_TRUE(tree.Read(r));
  uint64_t at = r.BitPosition();
  for (int i = 0; i < 100; ++i) EXPECT_EQ(tree.Decode(r), 0x5A);
  EXPECT_EQ(r.BitPosition(), at);
}

TEST(ByteTree, RejectsTooManyNodesAndTruncation) {
  encoder::BitWriter deep;
  for (int i = 0; i < 600; ++i) deep.WriteBit(true);  // 600 inner nodes in a row
  auto r = ReaderOver(deep);
  ByteTree tree;
  EXPECT_FALSE(tree.Read(r));
  EXPECT_TRUE(tree.empty());

  encoder::BitWriter cut;
  cut.WriteBit(true);
  cut.WriteBit(false);
  cut.Write(7, 8);  // first leaf; the second child never comes
  std::vector<uint8_t> bytes = cut.bytes();
  BitReader r2(bytes.data(), bytes.size());
  // Past the end the reader sees zeros, which read as leaves; the overrun must still fail it.
  EXPECT_FALSE(tree.Read(r2));
}

// Two-leaf word tree: the byte trees have two leaves each (0 -> bit 0, 1 -> bit 1 in both),
// so leaf values are spelled with one bit for each byte.
void WriteTwoLeafTree(encoder::BitWriter& w, uint16_t a, uint16_t b, uint16_t e0, uint16_t e1,
                      uint16_t e2) {
  auto byte_tree = [&w](uint8_t x, uint8_t y) {
    w.WriteBit(true);
    w.WriteBit(true);  // root inner
    w.WriteBit(false);
    w.Write(x, 8);
    w.WriteBit(false);
    w.Write(y, 8);
    w.WriteBit(false);  // closing
  };
  w.WriteBit(true);
  byte_tree(a & 0xFF, b & 0xFF);
  byte_tree(a >> 8, b >> 8);
  w.Write(e0, 16);
  w.Write(e1, 16);
  w.Write(e2, 16);
  w.WriteBit(true);                                 // root
  w.WriteBit(false), w.Write(0, 1), w.Write(0, 1);  // leaf a: low code 0, high code 0
  w.WriteBit(false), w.Write(1, 1), w.Write(1, 1);  // leaf b: low code 1, high code 1
  w.WriteBit(false);                                // closing
}

TEST(WordTree, EscapeLeafOfSlotOneDeliversThatSlotAndReservesTwoSpares) {
  // Leaves 0x0102 (a literal) and 0x0304, which equals E1.
  encoder::BitWriter w;
  WriteTwoLeafTree(w, 0x0102, 0x0304, 0xAAAA, 0x0304, 0xBBBB);
  auto r = ReaderOver(w);
  WordTree tree(4, ColourUse::kNone);
  ASSERT_TRUE(tree.Read(r, 1000));
  EXPECT_EQ(tree.DecodedSize(), 4u * (3 + 2));

  encoder::BitWriter codes;  // a, escape(1), a, a, escape(1), escape(1)
  for (int bit : {0, 1, 0, 0, 1, 1}) codes.WriteBit(bit);
  auto c = ReaderOver(codes);
  tree.ResetCache();
  EXPECT_EQ(tree.Decode(c), 0x0102);  // cache 0x0102, 0, 0
  EXPECT_EQ(tree.Decode(c), 0);       // slot 1 holds 0 -> cache 0, 0x0102, 0
  EXPECT_EQ(tree.Decode(c), 0x0102);  // cache 0x0102, 0, 0x0102
  EXPECT_EQ(tree.Decode(c), 0x0102);  // same as slot 0: unchanged
  EXPECT_EQ(tree.Decode(c), 0);       // slot 1 -> cache 0, 0x0102, 0
  EXPECT_EQ(tree.Decode(c), 0x0102);  // slot 1 again: C0 = old C1, C1 = old C0, C2 = old C1
}

TEST(WordTree, TranslationChangesDeliveryNotTheCacheRule) {
  encoder::BitWriter w;
  WriteTwoLeafTree(w, 0x0102, 0x0304, 0x0304, 0xAAAA, 0xBBBB);  // b is the escape of slot 0
  auto r = ReaderOver(w);
  WordTree tree(10, ColourUse::kBothBytes);
  ASSERT_TRUE(tree.Read(r, 1000));
  uint8_t table[256];
  for (int i = 0; i < 256; ++i) table[i] = static_cast<uint8_t>(i + 10);
  tree.Translate(table);
  tree.Translate(table);  // translations compose: +20
  tree.ResetCache();
  encoder::BitWriter codes;
  for (int bit : {1, 0, 1}) codes.WriteBit(bit);
  auto c = ReaderOver(codes);
  EXPECT_EQ(tree.Decode(c), 0x1414);  // first escape of a frame: index 0 translated, both bytes
  EXPECT_EQ(tree.Decode(c), 0x1516);
  EXPECT_EQ(tree.Decode(c), 0x1516);  // slot 0 now holds the coded 0x0102
}

TEST(WordTree, FillColourTranslationTouchesOnlySolidRuns) {
  encoder::BitWriter w;
  WriteTwoLeafTree(w, 0x05EF, 0x0501, 0xAAAA, 0xBBBB, 0xCCCC);
  auto r = ReaderOver(w);
  WordTree tree(8, ColourUse::kFillColour);
  ASSERT_TRUE(tree.Read(r, 1000));
  uint8_t table[256] = {};
  table[5] = 9;
  tree.Translate(table);
  tree.ResetCache();
  encoder::BitWriter codes;
  codes.WriteBit(false);
  codes.WriteBit(true);
  auto c = ReaderOver(codes);
  EXPECT_EQ(tree.Decode(c), 0x09EF);
  EXPECT_EQ(tree.Decode(c), 0x0501);
}

TEST(WordTree, AbsentTreeReadsAndDecodesZero) {
  encoder::BitWriter w;
  w.WriteBit(false);
  w.WriteBit(true);  // next tree's first bit stays unread
  auto r = ReaderOver(w);
  WordTree tree(8, ColourUse::kNone);
  ASSERT_TRUE(tree.Read(r, 4));
  EXPECT_FALSE(tree.present());
  EXPECT_EQ(tree.Decode(r), 0);
  EXPECT_EQ(r.BitPosition(), 1u);
}

TEST(WordTree, RejectsTreesThatDoNotFitTheirSizeOrTheirStream) {
  encoder::BitWriter w;
  WriteTwoLeafTree(w, 1, 2, 7, 8, 9);  // 3 nodes + 3 spare slots = 24 bytes
  std::vector<uint8_t> bytes = (w.Flush(), w.bytes());
  WordTree tree(8, ColourUse::kNone);
  BitReader fits(bytes.data(), bytes.size());
  EXPECT_TRUE(tree.Read(fits, 24));
  BitReader too_small(bytes.data(), bytes.size());
  EXPECT_FALSE(tree.Read(too_small, 23));
  EXPECT_FALSE(tree.present());
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    BitReader truncated(bytes.data(), cut);
    EXPECT_FALSE(tree.Read(truncated, 1000)) << "cut at " << cut;
  }

  encoder::BitWriter no_low_tree;  // byte trees are required
  no_low_tree.WriteBit(true);
  no_low_tree.WriteBit(false);
  auto r = ReaderOver(no_low_tree);
  EXPECT_FALSE(tree.Read(r, 1000));
}

TEST(WordTree, LongChainsDecodeBitByBitPastTheLookupWidth) {
  // A comb: inner nodes whose first child is a leaf, 40 levels deep; every leaf spells the
  // same value through single-leaf byte trees, so deep codes are checked by bit position.
  encoder::BitWriter w;
  WriteWordTreePrefix(w, 0x34, 0x12, 0xAAAA, 0xBBBB, 0xCCCC);
  for (int i = 0; i < 40; ++i) {
    w.WriteBit(true);
    w.WriteBit(false);
  }
  w.WriteBit(false);
  w.WriteBit(false);
  auto r = ReaderOver(w);
  WordTree tree(8, ColourUse::kNone);
  ASSERT_TRUE(tree.Read(r, 4 * 84));
  encoder::BitWriter codes;
  for (int i = 0; i < 39; ++i) codes.WriteBit(true);
  codes.WriteBit(false);  // leaf at depth 40
  codes.WriteBit(false);  // leaf at depth 1
  auto c = ReaderOver(codes);
  EXPECT_EQ(tree.Decode(c), 0x1234);
  EXPECT_EQ(c.BitPosition(), 40u);
  EXPECT_EQ(tree.Decode(c), 0x1234);
  EXPECT_EQ(c.BitPosition(), 41u);
}

TEST(WordTree, CodesOfEveryLengthAcrossBothTableLevelsFollowTheCacheRule) {
  // A comb of 24 leaves: leaf i has the code of i ones and a zero (the last one 23 ones), so
  // with a lookup width of 4 the codes end in the first table, in a second-level table and
  // past 16 bits. Leaves are spelled with one bit per byte from two two-leaf byte trees, so
  // they take four values; two of them are escapes, of slots 0 and 1.
  constexpr int kLeaves = 24;
  auto value_of = [](int i) {
    return static_cast<uint16_t>((i & 2 ? 0x0300 : 0x0100) | (i & 1 ? 0x04 : 0x02));
  };
  encoder::BitWriter w;
  w.WriteBit(true);
  for (const auto& [x, y] : {std::pair{0x02, 0x04}, std::pair{0x01, 0x03}}) {
    w.WriteBit(true);
    w.WriteBit(true), w.WriteBit(false), w.Write(x, 8), w.WriteBit(false), w.Write(y, 8);
    w.WriteBit(false);
  }
  w.Write(0x0304, 16), w.Write(0x0104, 16), w.Write(0xBBBB, 16);
  for (int i = 0; i < kLeaves; ++i) {
    if (i < kLeaves - 1) w.WriteBit(true);
    w.WriteBit(false), w.Write(i & 1, 1), w.Write((i >> 1) & 1, 1);
  }
  w.WriteBit(false);
  auto r = ReaderOver(w);
  WordTree tree(4, ColourUse::kNone);
  ASSERT_TRUE(tree.Read(r, 4 * 100));

  // Every leaf three times over, in an order that mixes short and long codes.
  std::vector<int> order;
  for (int round = 0; round < 3; ++round)
    for (int i = 0; i < kLeaves; ++i) order.push_back((i * 7 + round * 5) % kLeaves);
  encoder::BitWriter codes;
  uint64_t bits = 0;
  for (int i : order) {
    const int ones = i < kLeaves - 1 ? i : kLeaves - 1;
    for (int b = 0; b < ones; ++b) codes.WriteBit(true);
    if (i < kLeaves - 1) codes.WriteBit(false);
    bits += ones + (i < kLeaves - 1 ? 1 : 0);
  }
  auto c = ReaderOver(codes);
  tree.ResetCache();
  std::array<uint16_t, 3> cache{};
  for (size_t n = 0; n < order.size(); ++n) {
    const uint16_t literal = value_of(order[n]);
    const uint16_t want = literal == 0x0304 ? cache[0] : literal == 0x0104 ? cache[1] : literal;
    if (want != cache[0]) cache = {want, cache[0], cache[1]};
    ASSERT_EQ(tree.Decode(c), want) << "value " << n << ", leaf " << order[n];
  }
  EXPECT_EQ(c.BitPosition(), bits);
}

}  // namespace
}  // namespace kinet
