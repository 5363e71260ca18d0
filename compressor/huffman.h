// Huffman trees built by the file format's fixed merging rule, so that the same statistics
// always give the same tree, and the codes read by kinet::ByteTree and kinet::WordTree.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace kinet::encoder {

struct HuffmanTree {
  static constexpr int kMaxCodeLength = 30;

  struct Node {
    int32_t first = -1;   // inner: first child (code bit 0); -1 for a leaf
    int32_t second = -1;  // inner: second child (code bit 1)
    uint32_t symbol = 0;  // leaf: the symbol
  };
  std::vector<Node> nodes;
  int32_t root = -1;  // -1 when no symbol has a weight

  uint32_t InnerCount() const { return static_cast<uint32_t>(nodes.size() / 2); }
};

// Builds the tree over every symbol with a weight other than 0. The list of entries is kept in
// falling weight, symbols entered in rising order, and a new entry goes behind all entries of
// equal or greater weight; the two last entries are merged, the very last as second child.
HuffmanTree BuildHuffmanTree(const std::vector<uint64_t>& weights);

// Assigns each leaf its code: lengths[s] and bits[s] (first branch in bit 0); symbols without
// a leaf keep length 255. A lone leaf gets length 0. Returns false when a code would be longer
// than kMaxCodeLength bits.
[[nodiscard]] bool AssignCodes(const HuffmanTree& tree, std::vector<uint8_t>& lengths,
                               std::vector<uint32_t>& bits);

}  // namespace kinet::encoder
