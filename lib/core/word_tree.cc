#include "lib/core/word_tree.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace kinet {

WordTree::WordTree(int lookup_bits, ColourUse use) : lookup_bits_(lookup_bits), use_(use) {
  std::iota(translation_.begin(), translation_.end(), 0);
}

bool WordTree::Read(BitReader& reader, uint32_t size_limit) {
  nodes_.clear();
  lookup_.clear();
  level2_.clear();
  spare_slots_ = 0;
  if (!reader.ReadBit()) return !reader.Overrun();

  ByteTree low, high;
  if (!reader.ReadBit() || !low.Read(reader)) return false;
  if (!reader.ReadBit() || !high.Read(reader)) return false;
  for (auto& e : escapes_) e = static_cast<uint16_t>(reader.Read(16));

  size_t max_nodes = std::min<size_t>(kMaxNodes, size_limit / 4);
  auto read_value = [&](BitReader& r) {
    uint8_t lo = low.Decode(r);
    return static_cast<uint16_t>(high.Decode(r) << 8 | lo);
  };
  if (!ReadTreeShape(reader, max_nodes, nodes_, read_value)) {
    nodes_.clear();
    return false;
  }
  MarkEscapes();
  if (DecodedSize() > size_limit) {
    nodes_.clear();
    return false;
  }
  BuildLookup();
  ResetCache();
  return true;
}

uint32_t WordTree::DecodedSize() const {
  return static_cast<uint32_t>(4 * (nodes_.size() + spare_slots_));
}

void WordTree::MarkEscapes() {
  bool has_leaf[3] = {false, false, false};
  for (TreeNode& node : nodes_) {
    if (!node.IsLeaf()) continue;
    for (uint32_t k = 0; k < 3; ++k) {
      if (node.coded == escapes_[k]) {
        node.link = TreeNode::kLeaf | k;
        has_leaf[k] = true;
        break;
      }
    }
  }
  for (bool b : has_leaf) spare_slots_ += b ? 0 : 1;
}

WordTree::Tables WordTree::tables() const {
  // An absent tree's single entry: the literal 0, no bits consumed.
  static constexpr uint32_t kAbsent = TreeNode::kLiteral << kSlotShift;
  if (nodes_.empty()) return {&kAbsent, nullptr, nullptr, nullptr, 0, 0, use_};
  return {lookup_.data(), level2_.data(), nodes_.data(),
          translated_ ? translation_.data() : nullptr, (1u << first_bits_) - 1, first_bits_,
          use_};
}

void WordTree::Translate(const uint8_t table[256]) {
  for (uint8_t& index : translation_) index = table[index];
  translated_ = use_ != ColourUse::kNone;
}

void WordTree::FillTable(std::vector<uint32_t>& table, uint32_t base, int width, uint32_t root,
                         int consumed) const {
  // Walk every path of at most `width` bits; a path that ends at depth d fills every entry
  // whose low d bits are that path.
  const uint32_t size = 1u << width;
  struct Step {
    uint32_t node, prefix;
    int depth;
  };
  std::vector<Step> pending{{root, 0, 0}};
  while (!pending.empty()) {
    const Step s = pending.back();
    pending.pop_back();
    const TreeNode& node = nodes_[s.node];
    if (node.IsLeaf() || s.depth == width) {
      const uint32_t entry = node.IsLeaf() ? LeafEntry(node, consumed + s.depth)
                                           : kDeeper | s.node << kIndexShift |
                                                 static_cast<uint32_t>(consumed + s.depth);
      for (uint32_t i = s.prefix; i < size; i += 1u << s.depth) table[base + i] = entry;
      continue;
    }
    pending.push_back({s.node + 1, s.prefix, s.depth + 1});
    pending.push_back({node.link, s.prefix | 1u << s.depth, s.depth + 1});
  }
}

int WordTree::SubtreeDepth(uint32_t root, int cap) const {
  int deepest = 0;
  std::vector<std::pair<uint32_t, int>> pending{{root, 0}};
  while (!pending.empty() && deepest < cap) {
    const auto [index, depth] = pending.back();
    pending.pop_back();
    deepest = std::max(deepest, depth);
    const TreeNode& node = nodes_[index];
    if (node.IsLeaf() || depth == cap) continue;
    pending.push_back({index + 1, depth + 1});
    pending.push_back({node.link, depth + 1});
  }
  return deepest;
}

void WordTree::BuildLookup() {
  first_bits_ = SubtreeDepth(0, lookup_bits_);
  lookup_.assign(size_t{1} << first_bits_, 0);
  level2_.clear();
  FillTable(lookup_, 0, first_bits_, 0, 0);
  // Inner nodes reached after first_bits bits get a table of their own for the next bits, as
  // wide as their subtree is deep up to 16 bits in all.
  const int cap = 16 - first_bits_;
  for (uint32_t& entry : lookup_) {
    if (!(entry & kDeeper)) continue;
    const uint32_t node = entry >> kIndexShift;
    const int width = SubtreeDepth(node, cap);
    const auto base = static_cast<uint32_t>(level2_.size());
    level2_.resize(base + (size_t{1} << width));
    FillTable(level2_, base, width, node, first_bits_);
    entry = kDeeper | base << kIndexShift | static_cast<uint32_t>(width);
  }
}

}  // namespace kinet
