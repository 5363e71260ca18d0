// Word trees: Huffman trees of 16-bit values with three escape values and a three-slot cache
// of the values decoded last. Written by kinet::TreeBuilder (compressor/tree_builder.h).
//
// Decoding peeks `lookup_bits` bits and finds, in one table lookup, the node reached after at
// most that many bits; only deeper codes continue bit by bit.
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
  // Cache slots: the coded value in the low and the delivered value in the high half; a slot is
  // stored and loaded whole, so the next decode never waits on half of a store.
  using Cache = std::array<uint64_t, 3>;

  Tables tables() const;
  // All three slots holding the coded value 0, as at the start of every frame.
  Cache FreshCache() const {
    const uint64_t zero = Slot(0, Deliver(use_, translated_ ? translation_.data() : nullptr, 0));
    return {zero, zero, zero};
  }
  void ResetCache() { cache_ = FreshCache(); }

  // Maps what the tree delivers through `table` (index to index), on top of any earlier
  // translation. The cache keeps comparing coded values.
  void Translate(const uint8_t table[256]);

  // Decodes one value: a literal leaf, or the cache slot of an escape leaf; then applies the
  // cache rule. An absent tree yields 0 and consumes nothing.
  template <typename Reader>
  [[gnu::always_inline]] uint16_t Decode(Reader& reader) {
    return Decode(tables(), cache_, reader);
  }

  template <typename Reader>
  [[gnu::always_inline]] static uint16_t Decode(const Tables& t, Cache& cache, Reader& reader) {
    // One peek covers the table lookup and, for most deeper codes, the rest of the walk.
    const uint32_t bits = reader.Peek(16);
    uint32_t entry = t.first[bits & t.first_mask];
    int used = static_cast<int>((entry >> kConsumedShift) & 31);
    if (entry & kSecondLevel) {  // a deeper code: the next bits index the node's own table
      entry = t.second[(entry & kNodeMask) + ((bits >> t.first_bits) & ((1u << used) - 1))];
      used = t.first_bits + static_cast<int>((entry >> kConsumedShift) & 31);
    }
    uint32_t coded, delivered;
    if (entry & kResolvedLiteral) [[likely]] {  // a literal leaf within the tables' reach
      reader.Skip(used);
      coded = entry & 0xFFFF;
      delivered = t.translation ? Deliver(t.use, t.translation, static_cast<uint16_t>(coded))
                                : coded;
    } else {
      const TreeNode* node = &t.nodes[entry & kNodeMask];
      while (!node->IsLeaf() && used < 16) {
        node = (bits >> used) & 1 ? &t.nodes[node->link] : node + 1;
        ++used;
      }
      reader.Skip(used);
      while (!node->IsLeaf()) node = reader.ReadBit() ? &t.nodes[node->link] : node + 1;
      const uint32_t slot = node->Slot();
      coded = slot == TreeNode::kLiteral ? node->coded : static_cast<uint32_t>(cache[slot]);
      delivered = slot == TreeNode::kLiteral ? node->delivered : cache[slot] >> 32;
    }
    // Without branches: equal values would leave slot 0 as it is, which writing it again does.
    const bool shift = coded != static_cast<uint32_t>(cache[0]);
    cache[2] = shift ? cache[1] : cache[2];
    cache[1] = shift ? cache[0] : cache[1];
    cache[0] = Slot(coded, delivered);
    return static_cast<uint16_t>(delivered);
  }

 private:
  static uint16_t Deliver(ColourUse use, const uint8_t* translation, uint16_t coded) {
    if (!translation || use == ColourUse::kNone) return coded;
    if (use == ColourUse::kFillColour && (coded & 3) != 3) return coded;
    const auto high = static_cast<uint16_t>(translation[coded >> 8] << 8);
    return static_cast<uint16_t>(high | (use == ColourUse::kFillColour ? coded & 0xFF
                                                                       : translation[coded & 0xFF]));
  }
  uint16_t Deliver(uint16_t coded) const {
    return Deliver(use_, translation_.data(), coded);
  }
  void RefreshDelivered();
  void MarkEscapes();
  void BuildLookup();
  // Fills `width` bits' worth of entries at table[base..] for the paths from node `root`.
  void FillTable(std::vector<uint32_t>& table, uint32_t base, int width, uint32_t root) const;
  int SubtreeDepth(uint32_t root, int cap) const;

  // Lookup entries: bits consumed at kConsumedShift; with kResolvedLiteral the low 16 bits are
  // the literal value reached, else the low 24 bits are the index of the node reached. A
  // first-level entry with kSecondLevel instead holds the width of a second-level table at
  // kConsumedShift and its start in level2_ in the low 24 bits: codes up to 16 bits long are
  // found with two lookups.
  static constexpr uint32_t kResolvedLiteral = 0x80000000u;
  static constexpr uint32_t kSecondLevel = 0x40000000u;
  static constexpr int kConsumedShift = 24;
  static constexpr uint32_t kNodeMask = 0xFFFFFF;

  int lookup_bits_;
  ColourUse use_;
  bool translated_ = false;
  std::vector<TreeNode> nodes_;
  std::vector<uint32_t> lookup_;
  std::vector<uint32_t> level2_;
  std::array<uint16_t, 3> escapes_{};
  static uint64_t Slot(uint32_t coded, uint32_t delivered) {
    return uint64_t{delivered} << 32 | coded;
  }
  Cache cache_{};
  std::array<uint8_t, 256> translation_;
  uint32_t spare_slots_ = 0;
};

}  // namespace kinet
