// The decoded form shared by byte trees and word trees: a flat pre-order array of nodes.
// An inner node's first child is the next node; it stores the index of its second child.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/core/bit_reader.h"

namespace kinet {

struct TreeNode {
  static constexpr uint32_t kLeaf = 0x80000000u;
  static constexpr uint32_t kLiteral = 3;  // leaf slot of a literal value; 0..2 are cache slots

  uint32_t link;   // inner: index of the second child; leaf: kLeaf | slot
  uint16_t coded;  // leaf: the value as coded in the file

  bool IsLeaf() const { return link & kLeaf; }
  uint32_t Slot() const { return link & 3; }
};

// Reads a tree's shape in pre-order (1 = inner node, 0 = leaf), calling read_leaf(reader) for
// every leaf's value, and the closing 0 bit. Appends to `nodes`; fails (returns false) when the
// tree would have more than max_nodes nodes or the reader ran past its end.
template <typename Reader, typename LeafReader>
[[nodiscard]] bool ReadTreeShape(Reader& reader, size_t max_nodes, std::vector<TreeNode>& nodes,
                                 LeafReader&& read_leaf) {
  // Inner nodes whose first subtree is still being read; each is popped when it completes,
  // and its second subtree starts at the next node.
  std::vector<uint32_t> open;
  while (true) {
    if (nodes.size() >= max_nodes || reader.Overrun()) return false;
    if (reader.ReadBit()) {
      open.push_back(static_cast<uint32_t>(nodes.size()));
      nodes.push_back({0, 0});
      continue;
    }
    uint16_t value = read_leaf(reader);
    nodes.push_back({TreeNode::kLeaf | TreeNode::kLiteral, value});
    if (open.empty()) break;
    nodes[open.back()].link = static_cast<uint32_t>(nodes.size());
    open.pop_back();
  }
  reader.ReadBit();  // closing bit
  return !reader.Overrun();
}

}  // namespace kinet
