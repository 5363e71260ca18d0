#include "compressor/huffman.h"

#include <queue>

namespace kinet::encoder {

namespace {

struct Entry {
  uint64_t weight;
  uint32_t order;  // rises with every entry; among equal weights the newest is merged first
  int32_t node;
};

// The back of the list: the lightest entry, and among equal weights the one entered last.
struct MergedFirst {
  bool operator()(const Entry& a, const Entry& b) const {
    if (a.weight != b.weight) return a.weight > b.weight;
    return a.order < b.order;
  }
};

}  // namespace

HuffmanTree BuildHuffmanTree(const std::vector<uint64_t>& weights) {
  HuffmanTree tree;
  std::priority_queue<Entry, std::vector<Entry>, MergedFirst> list;
  uint32_t order = 0;
  for (uint32_t s = 0; s < weights.size(); ++s) {
    if (weights[s] == 0) continue;
    tree.nodes.push_back({-1, -1, s});
    list.push({weights[s], order++, static_cast<int32_t>(tree.nodes.size() - 1)});
  }
  if (list.empty()) return tree;
  while (list.size() > 1) {
    Entry second = list.top();
    list.pop();
    Entry first = list.top();
    list.pop();
    tree.nodes.push_back({first.node, second.node, 0});
    list.push({first.weight + second.weight, order++, static_cast<int32_t>(tree.nodes.size() - 1)});
  }
  tree.root = list.top().node;
  return tree;
}

bool AssignCodes(const HuffmanTree& tree, std::vector<uint8_t>& lengths,
                 std::vector<uint32_t>& bits) {
  std::fill(lengths.begin(), lengths.end(), 255);
  std::fill(bits.begin(), bits.end(), 0);
  if (tree.root < 0) return true;
  struct Step {
    int32_t node;
    uint32_t code;
    int length;
  };
  std::vector<Step> pending{{tree.root, 0, 0}};
  while (!pending.empty()) {
    Step s = pending.back();
    pending.pop_back();
    const HuffmanTree::Node& node = tree.nodes[s.node];
    if (node.first < 0) {
      lengths[node.symbol] = static_cast<uint8_t>(s.length);
      bits[node.symbol] = s.code;
      continue;
    }
    if (s.length == HuffmanTree::kMaxCodeLength) return false;
    pending.push_back({node.first, s.code, s.length + 1});
    pending.push_back({node.second, s.code | 1u << s.length, s.length + 1});
  }
  return true;
}

}  // namespace kinet::encoder
