// Byte trees: Huffman trees of 8-bit values, used to spell word-tree leaves and to code sound
// deltas. Written by kinet::TreeBuilder (compressor/tree_builder.h).
#pragma once

#include <cstdint>
#include <vector>

#include "lib/core/bit_reader.h"
#include "lib/core/tree_node.h"

namespace kinet {

class ByteTree {
 public:
  static constexpr size_t kMaxNodes = 511;  // 256 leaves and 255 inner nodes

  // Reads a tree in pre-order with its closing bit. Returns false for a malformed tree (more
  // than 511 nodes, or running past the end of the stream); the tree is then empty.
  [[nodiscard]] bool Read(BitReader& reader);

  // Decodes one value; a single-leaf tree consumes no bits. An empty tree yields 0.
  uint8_t Decode(BitReader& reader) const {
    if (nodes_.empty()) return 0;
    const TreeNode* node = nodes_.data();
    while (!node->IsLeaf()) node = reader.ReadBit() ? &nodes_[node->link] : node + 1;
    return static_cast<uint8_t>(node->coded);
  }

  bool empty() const { return nodes_.empty(); }

 private:
  std::vector<TreeNode> nodes_;
};

}  // namespace kinet
