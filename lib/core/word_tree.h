// Word trees: Huffman trees of 16-bit values with three escape values and a three-slot cache
// of the values decoded last. Written by kinet::TreeBuilder (compressor/tree_builder.h).
//
// Decoding looks at the next `lookup_bits` bits and finds, in one table lookup, the value of
// any code of at most that many bits; codes of up to 16 bits take a second lookup, and only
// longer ones continue bit by bit.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "lib/core/bit_reader.h"
#include "lib/core/byte_tree.h"
#include "lib/core/tree_node.h"

namespace kinet {

// Which parts of a delivered value a colour translation changes.
enum class ColourUse : uint8_t {
  kNone,        // mono-map masks
  kBothBytes,   // mono-colour pairs and full-block pixel pairs
  kFillColour,  // block-type values: the high byte of solid runs (kind bits 3)
};

class WordTree {
 public:
  static constexpr size_t kMaxNodes = 2 * 65536 - 1;

  WordTree(int lookup_bits, ColourUse use);

  // Reads the tree from a stream: presence bit, the two byte trees spelling its leaves, the
  // escape values E0..E2, the tree in pre-order and its closing bit. An absent tree (presence
  // bit 0) reads successfully and decodes 0. `size_limit` is the tree's reserved size from the
  // file header: 4 bytes per node plus 4 per cache slot without an escape leaf. Returns false
  // for a malformed tree (too large for size_limit, a byte tree missing or malformed, or
  // running past the end of the stream); the tree is then absent.
  [[nodiscard]] bool Read(BitReader& reader, uint32_t size_limit);

  // Bytes the decoded tree needs by the header's rule (nodes and spare slots, 4 bytes each).
  uint32_t DecodedSize() const;

  bool present() const { return !nodes_.empty(); }
  const std::array<uint16_t, 3>& escapes() const { return escapes_; }

  // What decoding reads of the tree, small enough to be held by value: a frame decoder keeps a
  // copy and its own cache in locals for the length of a frame, so that neither is reloaded
  // after every store of the bit reader (nor the reader after every cache store).
  struct Tables {
    const uint32_t* first;   // 2^first_bits entries; an absent tree has one entry yielding 0
    const uint32_t* second;  // the second-level tables of codes longer than first_bits
    const TreeNode* nodes;
    const uint8_t* translation;  // null while nothing is translated
    uint32_t first_mask;
    int first_bits;
    ColourUse use;
  };
  // Cache slots C0..C2, most recent first, holding values as coded: what a slot delivers is
  // its value through the translation, like any literal.
  using Cache = std::array<uint32_t, 3>;

  Tables tables() const;
  bool translated() const { return translated_; }
  // All three slots holding the coded value 0, as at the start of every frame.
  static Cache FreshCache() { return {0, 0, 0}; }
  void ResetCache() { cache_ = FreshCache(); }

  // Maps what the tree delivers through `table` (index to index), on top of any earlier
  // translation. The cache keeps comparing coded values.
  void Translate(const uint8_t table[256]);

  // Decodes one value: a literal leaf, or the cache slot of an escape leaf; then applies the
  // cache rule. An absent tree yields 0 and consumes nothing.
  template <typename Reader>
  uint16_t Decode(Reader& reader) {
    reader.Peek(16);
    return translated_ ? DecodeBuffered<true>(tables(), cache_, reader)
                       : DecodeBuffered<false>(tables(), cache_, reader);
  }

  // The same with at least 16 bits buffered in the reader (see BitReader::Fill); codes longer
  // than 16 bits read on by themselves and leave at least 16 bits buffered again. With
  // kTranslated false the translation is taken to be none.
  template <bool kTranslated, typename Reader>
  [[gnu::always_inline]] static uint16_t DecodeBuffered(const Tables& t, Cache& cache,
                                                        Reader& reader) {
    const uint32_t bits = reader.Buffered();
    uint32_t entry = t.first[bits & t.first_mask];
    if (entry & kDeeper) [[unlikely]] {  // a longer code: the next bits index its own table
      entry = t.second[(entry >> kIndexShift) +
                       ((bits >> t.first_bits) & ((1u << (entry & kConsumedMask)) - 1))];
      if (entry & kDeeper) [[unlikely]] {  // longer than 16 bits: walked through the nodes
        Reader copy = reader;  // the caller's reader stays in registers
        entry = WalkDeep(t.nodes, entry, copy);
        reader = copy;
      }
    }
    reader.Skip(static_cast<int>(entry & kConsumedMask));
    // An escape leaf delivers its slot, without branches: escapes are common in some trees and
    // rare in others.
    const uint32_t slot = (entry >> kSlotShift) & 3;
    uint32_t coded = entry >> kValueShift;
    coded = slot == 0 ? cache[0] : coded;
    coded = slot == 1 ? cache[1] : coded;
    coded = slot == 2 ? cache[2] : coded;
    // Equal values would leave slot 0 as it is, which writing it again does.
    const bool shift = coded != cache[0];
    cache[2] = shift ? cache[1] : cache[2];
    cache[1] = shift ? cache[0] : cache[1];
    cache[0] = coded;
    if constexpr (kTranslated) return Deliver(t.use, t.translation, static_cast<uint16_t>(coded));
    return static_cast<uint16_t>(coded);
  }

  // Bytes the decoded form holds: nodes, lookup tables and second-level tables.
  size_t TableBytes() const {
    return sizeof(TreeNode) * nodes_.size() + 4 * (lookup_.size() + level2_.size());
  }

 private:
  static uint16_t Deliver(ColourUse use, const uint8_t* translation, uint16_t coded) {
    if (!translation || use == ColourUse::kNone) return coded;
    if (use == ColourUse::kFillColour && (coded & 3) != 3) return coded;
    const auto high = static_cast<uint16_t>(translation[coded >> 8] << 8);
    return static_cast<uint16_t>(high | (use == ColourUse::kFillColour ? coded & 0xFF
                                                                       : translation[coded & 0xFF]));
  }
  void MarkEscapes();
  void BuildLookup();
  // Fills `width` bits' worth of entries at table[base..] for the paths from node `root`, the
  // consumed counts starting at `consumed`.
  void FillTable(std::vector<uint32_t>& table, uint32_t base, int width, uint32_t root,
                 int consumed) const;
  int SubtreeDepth(uint32_t root, int cap) const;
  // Consumes the bits of a code longer than 16 bits from the node of `entry` on; returns the
  // leaf's entry with no bits left to consume, and at least 16 bits buffered.
  template <typename Reader>
  [[gnu::noinline]] static uint32_t WalkDeep(const TreeNode* nodes, uint32_t entry,
                                             Reader& reader) {
    reader.Skip(static_cast<int>(entry & kConsumedMask));
    const TreeNode* node = &nodes[entry >> kIndexShift];
    while (!node->IsLeaf()) node = reader.ReadBit() ? &nodes[node->link] : node + 1;
    reader.Peek(16);
    return LeafEntry(*node, 0);
  }
  static uint32_t LeafEntry(const TreeNode& leaf, int consumed) {
    return uint32_t{leaf.coded} << kValueShift | leaf.Slot() << kSlotShift |
           static_cast<uint32_t>(consumed);
  }

  // Lookup entries. Resolved: the bits consumed (counted from the code's start) in the low
  // five bits, the leaf's slot at kSlotShift and, for a literal, its coded value in the high
  // half. With kDeeper a first-level entry holds the width of its second-level table in the
  // low five bits and the table's start in level2_ from kIndexShift; a second-level entry with
  // kDeeper holds the bits consumed (16) and the node reached, from which the code goes on.
  static constexpr uint32_t kConsumedMask = 31;
  static constexpr int kSlotShift = 5;
  static constexpr uint32_t kDeeper = 0x80;
  static constexpr int kIndexShift = 8;
  static constexpr int kValueShift = 16;

  int lookup_bits_;  // the widest first-level table; shallower trees get one as deep as they are
  int first_bits_ = 0;
  ColourUse use_;
  bool translated_ = false;
  std::vector<TreeNode> nodes_;
  std::vector<uint32_t> lookup_;
  std::vector<uint32_t> level2_;
  std::array<uint16_t, 3> escapes_{};
  Cache cache_{};
  std::array<uint8_t, 256> translation_;
  uint32_t spare_slots_ = 0;
};

}  // namespace kinet
