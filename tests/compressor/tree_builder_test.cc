// Trees and symbols written by encoder::TreeBuilder must read back through the library's tree
// readers exactly, across frames (the cache restarts at every frame) and with the marker leaves.
#include "compressor/tree_builder.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "compressor/huffman.h"
#include "lib/core/bit_reader.h"
#include "lib/core/byte_tree.h"
#include "lib/core/word_tree.h"

namespace kinet {
namespace {

using Frames = std::vector<std::vector<uint16_t>>;

struct Encoded {
  int32_t size = 0;
  std::vector<uint8_t> tree_bytes, data_bytes;
};

Encoded EncodeWordTree(encoder::TreeBuilder& builder, const Frames& frames) {
  builder.Start();
  for (const auto& frame : frames) {
    for (uint16_t v : frame) builder.Add(v);
    builder.EndFrame();
  }
  Encoded e;
  encoder::BitWriter trees, data;
  e.size = builder.BuildAndWrite(trees);
  if (e.size == encoder::TreeBuilder::kTooDeep) return e;
  for (const auto& frame : frames) {
    for (uint16_t v : frame) EXPECT_TRUE(builder.WriteSymbol(data, v));
    builder.EndFrame();
  }
  trees.Flush();
  data.Flush();
  e.tree_bytes = trees.bytes();
  e.data_bytes = data.bytes();
  return e;
}

// Encodes, decodes with the reader's lookup width, and compares every symbol.
void ExpectRoundTrip(const Frames& frames, int lookup_bits = 11) {
  encoder::TreeBuilder builder(encoder::TreeBuilder::Kind::kWord);
  Encoded e = EncodeWordTree(builder, frames);
  ASSERT_GT(e.size, 0);
  WordTree tree(lookup_bits, ColourUse::kNone);
  BitReader tr(e.tree_bytes.data(), e.tree_bytes.size());
  ASSERT_TRUE(tree.Read(tr, static_cast<uint32_t>(e.size)));  // the header size must suffice
  EXPECT_LE(tree.DecodedSize(), static_cast<uint32_t>(e.size));
  BitReader dr(e.data_bytes.data(), e.data_bytes.size());
  for (size_t f = 0; f < frames.size(); ++f) {
    tree.ResetCache();
    for (size_t i = 0; i < frames[f].size(); ++i)
      ASSERT_EQ(tree.Decode(dr), frames[f][i]) << "frame " << f << " symbol " << i;
  }
  EXPECT_FALSE(dr.Overrun());
}

TEST(TreeBuilder, RandomStreamsRoundTripAtEveryLookupWidth) {
  std::mt19937 rng(7);
  for (int alphabet : {2, 3, 200, 5000, 65000}) {
    Frames frames(6);
    std::geometric_distribution<int> skew(0.02);
    for (auto& frame : frames)
      for (int i = 0; i < 3000; ++i) frame.push_back(static_cast<uint16_t>(skew(rng) % alphabet));
    for (int bits : {8, 10, 11, 12}) ExpectRoundTrip(frames, bits);
  }
}

TEST(TreeBuilder, DegenerateStreamsRoundTrip) {
  ExpectRoundTrip({{0x1234}});                               // one symbol, once
  ExpectRoundTrip({std::vector<uint16_t>(500, 0x1234)});     // one symbol; slot 0 hits
  ExpectRoundTrip({std::vector<uint16_t>(500, 0), {0, 0}});  // the reset value itself
  ExpectRoundTrip({{0, 1, 2, 3}, {3, 2, 1, 0}});             // low values move the markers up
  ExpectRoundTrip({{}, {5}, {}});                            // empty frames
}

TEST(TreeBuilder, CacheHitsOfThirtyTwoOrMoreGiveMarkersLeaves) {
  // a, b alternating: after the first pair every symbol hits slot 1.
  Frames alternating(1);
  for (int i = 0; i < 100; ++i) alternating[0].push_back(i % 2 ? 0x0A0B : 0x0C0D);
  encoder::TreeBuilder builder(encoder::TreeBuilder::Kind::kWord);
  ASSERT_GT(EncodeWordTree(builder, alternating).size, 0);
  auto markers = builder.markers();
  EXPECT_EQ(markers[0], 0);  // 0 is absent
  EXPECT_NE(builder.CodeLength(markers[1]), encoder::TreeBuilder::kNoLeaf);
  EXPECT_EQ(builder.CodeLength(markers[2]), encoder::TreeBuilder::kNoLeaf);
  ExpectRoundTrip(alternating);

  // 31 hits are not enough for a leaf.
  Frames few(1);
  for (int i = 0; i < 33; ++i) few[0].push_back(i % 2 ? 0x0A0B : 0x0C0D);
  encoder::TreeBuilder sparse(encoder::TreeBuilder::Kind::kWord);
  ASSERT_GT(EncodeWordTree(sparse, few).size, 0);
  EXPECT_EQ(sparse.CodeLength(sparse.markers()[1]), encoder::TreeBuilder::kNoLeaf);
  ExpectRoundTrip(few);

  // Three values cycling hit slot 2.
  Frames cycle(2);
  for (auto& f : cycle)
    for (int i = 0; i < 300; ++i) f.push_back(static_cast<uint16_t>(100 + i % 3));
  ExpectRoundTrip(cycle);
}

TEST(TreeBuilder, UnusedTreeIsOneZeroBitOfSizeTwelve) {
  encoder::TreeBuilder builder(encoder::TreeBuilder::Kind::kWord);
  builder.Start();
  encoder::BitWriter w;
  EXPECT_EQ(builder.BuildAndWrite(w), 12);
  EXPECT_EQ(w.BitPosition(), 1u);
}

TEST(TreeBuilder, CodesLongerThanThirtyBitsAreRefused) {
  // Fibonacci weights make a comb one level deeper per symbol.
  encoder::TreeBuilder builder(encoder::TreeBuilder::Kind::kByte);
  builder.Start();
  uint32_t a = 1, b = 1;
  for (int s = 0; s < 33; ++s) {
    for (uint32_t i = 0; i < a; ++i) builder.Add(static_cast<uint16_t>(s));
    uint32_t next = a + b;
    a = b;
    b = next;
  }
  encoder::BitWriter w;
  EXPECT_EQ(builder.BuildAndWrite(w), encoder::TreeBuilder::kTooDeep);
}

TEST(TreeBuilder, WordTreeWithoutThreeAbsentValuesIsRefused) {
  encoder::TreeBuilder builder(encoder::TreeBuilder::Kind::kWord);
  builder.Start();
  for (uint32_t v = 0; v < 65536; ++v)
    if (v != 100 && v != 200) builder.Add(static_cast<uint16_t>(v));
  encoder::BitWriter w;
  EXPECT_EQ(builder.BuildAndWrite(w), encoder::TreeBuilder::kTooDeep);
}

TEST(TreeBuilder, ByteTreesRoundTripThroughTheStreamReader) {
  std::mt19937 rng(3);
  std::vector<uint16_t> values(5000);
  std::binomial_distribution<int> dist(255, 0.5);
  for (auto& v : values) v = static_cast<uint16_t>(dist(rng));
  encoder::TreeBuilder builder(encoder::TreeBuilder::Kind::kByte);
  builder.Start();
  for (uint16_t v : values) builder.Add(v);
  encoder::BitWriter w;
  ASSERT_EQ(builder.BuildAndWrite(w), 0);
  for (uint16_t v : values) ASSERT_TRUE(builder.WriteSymbol(w, v));
  w.Flush();
  BitReader r(w.bytes().data(), w.bytes().size());
  ASSERT_TRUE(r.ReadBit());
  ByteTree tree;
  ASSERT_TRUE(tree.Read(r));
  for (uint16_t v : values) ASSERT_EQ(tree.Decode(r), v);
}

TEST(Huffman, TiesFollowTheListOrder) {
  // List by falling weight: C(2) A(1) B(1). B and A merge first (B second child) into a node
  // of weight 2 that goes behind C; then C is the first child of the root.
  std::vector<uint64_t> weights(3);
  weights[0] = 1;  // A
  weights[1] = 1;  // B
  weights[2] = 2;  // C
  encoder::HuffmanTree tree = encoder::BuildHuffmanTree(weights);
  std::vector<uint8_t> lengths(3);
  std::vector<uint32_t> bits(3);
  ASSERT_TRUE(encoder::AssignCodes(tree, lengths, bits));
  EXPECT_EQ(lengths, (std::vector<uint8_t>{2, 2, 1}));
  EXPECT_EQ(bits, (std::vector<uint32_t>{0b01, 0b11, 0b0}));
}

TEST(TreeBuilder, SymbolsNeverAddedHaveNoCode) {
  encoder::TreeBuilder builder(encoder::TreeBuilder::Kind::kWord);
  builder.Start();
  builder.Add(5);
  builder.Add(6);
  encoder::BitWriter w;
  ASSERT_GT(builder.BuildAndWrite(w), 0);
  EXPECT_FALSE(builder.WriteSymbol(w, 7));
}

// Adding a value n times at once counts as n single additions: the same tree for byte trees,
// and for word trees the same front-slot hits and so the same marker leaves.
TEST(TreeBuilder, RepeatedAdditionsCountAsSingleOnes) {
  for (auto kind : {encoder::TreeBuilder::Kind::kByte, encoder::TreeBuilder::Kind::kWord}) {
    encoder::TreeBuilder single(kind), repeated(kind);
    single.Start();
    repeated.Start();
    for (uint16_t v : {3, 9, 3, 200}) {
      single.Add(v);
      repeated.Add(v);
    }
    for (int i = 0; i < 40; ++i) single.Add(9);
    repeated.AddRepeated(9, 40);
    repeated.AddRepeated(7, 0);
    single.Add(3);
    repeated.Add(3);
    encoder::BitWriter a, b;
    ASSERT_EQ(single.BuildAndWrite(a), repeated.BuildAndWrite(b));
    a.Flush();
    b.Flush();
    EXPECT_EQ(a.bytes(), b.bytes());
    EXPECT_EQ(repeated.CodeLength(7), encoder::TreeBuilder::kNoLeaf);
  }
}

}  // namespace
}  // namespace kinet
