// Word trees: Huffman trees of 16-bit values with three escape values and a three-slot cache
// of the values decoded last. Written by kinet::TreeBuilder (compressor/tree_builder.h).
//
// Decoding peeks `lookup_bits` bits and finds, in one table lookup, the node reached after at
// most that many bits; only deeper codes continue bit by bit.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "bit_reader.h"
#include "byte_tree.h"
#include "tree_node.h"

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
  [[nodiscard]] bool Read(StreamBitReader& reader, uint32_t size_limit);

  // Bytes the decoded tree needs by the header's rule (nodes and spare slots, 4 bytes each).
  uint32_t DecodedSize() const;

  bool present() const { return !nodes_.empty(); }
  const std::array<uint16_t, 3>& escapes() const { return escapes_; }

  // Sets all three cache slots to the coded value 0; done at the start of every frame.
  void ResetCache() {
    coded_cache_.fill(0);
    delivered_cache_.fill(Deliver(0));
  }

  // Maps what the tree delivers through `table` (index to index), on top of any earlier
  // translation. The cache keeps comparing coded values.
  void Translate(const uint8_t table[256]);

  // Decodes one value: a literal leaf, or the cache slot of an escape leaf; then applies the
  // cache rule. An absent tree yields 0 and consumes nothing.
  template <typename Reader>
  uint16_t Decode(Reader& reader) {
    if (nodes_.empty()) return 0;
    uint32_t entry = lookup_[reader.Peek(lookup_bits_)];
    reader.Skip(static_cast<int>(entry >> 24));
    const TreeNode* node = &nodes_[entry & 0xFFFFFF];
    while (!node->IsLeaf()) node = reader.ReadBit() ? &nodes_[node->link] : node + 1;
    uint32_t slot = node->Slot();
    uint16_t coded = node->coded, delivered = node->delivered;
    if (slot != TreeNode::kLiteral) {
      coded = coded_cache_[slot];
      delivered = delivered_cache_[slot];
    }
    if (coded != coded_cache_[0]) {
      coded_cache_ = {coded, coded_cache_[0], coded_cache_[1]};
      delivered_cache_ = {delivered, delivered_cache_[0], delivered_cache_[1]};
    }
    return delivered;
  }

 private:
  uint16_t Deliver(uint16_t coded) const;
  void RefreshDelivered();
  void MarkEscapes();
  void BuildLookup();

  int lookup_bits_;
  ColourUse use_;
  std::vector<TreeNode> nodes_;
  std::vector<uint32_t> lookup_;  // node index | bits consumed << 24
  std::array<uint16_t, 3> escapes_{};
  std::array<uint16_t, 3> coded_cache_{};
  std::array<uint16_t, 3> delivered_cache_{};
  std::array<uint8_t, 256> translation_;
  uint32_t spare_slots_ = 0;
};

}  // namespace kinet
