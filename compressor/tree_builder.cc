#include "compressor/tree_builder.h"

#include <algorithm>

#include "compressor/huffman.h"

namespace kinet::encoder {

TreeBuilder::TreeBuilder(Kind kind) : kind_(kind) {
  size_t symbols = kind == Kind::kWord ? 65536 : 256;
  counts_.assign(symbols, 0);
  lengths_.assign(symbols, kNoLeaf);
  codes_.assign(symbols, 0);
  if (kind == Kind::kWord) {
    low_ = std::make_unique<TreeBuilder>(Kind::kByte);
    high_ = std::make_unique<TreeBuilder>(Kind::kByte);
  }
}

TreeBuilder::~TreeBuilder() = default;
TreeBuilder::TreeBuilder(TreeBuilder&&) noexcept = default;
TreeBuilder& TreeBuilder::operator=(TreeBuilder&&) noexcept = default;

void TreeBuilder::Start() {
  std::fill(counts_.begin(), counts_.end(), 0);
  used_ = false;
  cache_.fill(0);
  hits_.fill(0);
}

void TreeBuilder::Add(uint16_t v) {
  used_ = true;
  if (kind_ == Kind::kWord) {
    for (int slot = 0; slot < 3; ++slot) {
      if (v != cache_[slot]) continue;
      counts_[v] = std::max<uint32_t>(counts_[v], 1);
      ++hits_[slot];
      if (slot != 0) cache_ = {v, cache_[0], cache_[1]};
      return;
    }
    cache_ = {v, cache_[0], cache_[1]};
  }
  ++counts_[v];
}

void TreeBuilder::AddRepeated(uint16_t v, uint32_t n) {
  if (n == 0) return;
  if (kind_ == Kind::kByte) {
    used_ = true;
    counts_[v] += n;
    return;
  }
  // After the first, every Add of the same value hits the front cache slot.
  Add(v);
  hits_[0] += n - 1;
}

bool TreeBuilder::ChooseMarkers() {
  int found = 0;
  for (uint32_t v = 0; v < counts_.size() && found < 3; ++v)
    if (counts_[v] == 0) markers_[found++] = static_cast<uint16_t>(v);
  if (found < 3) return false;
  for (int slot = 0; slot < 3; ++slot)
    if (hits_[slot] >= kMarkerMinHits) counts_[markers_[slot]] = hits_[slot];
  return true;
}

bool TreeBuilder::BuildByteTrees(BitWriter& out) {
  low_->Start();
  high_->Start();
  for (uint32_t v = 0; v < counts_.size(); ++v) {
    if (counts_[v] == 0) continue;
    low_->Add(static_cast<uint16_t>(v & 0xFF));
    high_->Add(static_cast<uint16_t>(v >> 8));
  }
  return low_->BuildAndWrite(out) != kTooDeep && high_->BuildAndWrite(out) != kTooDeep;
}

int32_t TreeBuilder::BuildAndWrite(BitWriter& out) {
  cache_.fill(0);
  if (!used_) {
    out.WriteBit(false);
    return 12;
  }
  out.WriteBit(true);
  if (kind_ == Kind::kWord && (!ChooseMarkers() || !BuildByteTrees(out))) return kTooDeep;

  std::vector<uint64_t> weights(counts_.begin(), counts_.end());
  HuffmanTree tree = BuildHuffmanTree(weights);
  if (!AssignCodes(tree, lengths_, codes_)) return kTooDeep;

  if (kind_ == Kind::kWord)
    for (uint16_t marker : markers_) out.Write(marker, 16);
  // Pre-order: an inner node as a 1 bit, a leaf as a 0 bit and its value; then a closing 0.
  std::vector<int32_t> pending{tree.root};
  while (!pending.empty()) {
    const HuffmanTree::Node& node = tree.nodes[pending.back()];
    pending.pop_back();
    if (node.first < 0) {
      out.WriteBit(false);
      WriteValue(out, static_cast<uint16_t>(node.symbol));
    } else {
      out.WriteBit(true);
      pending.push_back(node.second);
      pending.push_back(node.first);
    }
  }
  out.WriteBit(false);
  return kind_ == Kind::kWord ? static_cast<int32_t>(16 + 8 * tree.InnerCount()) : 0;
}

void TreeBuilder::WriteValue(BitWriter& out, uint16_t v) const {
  if (kind_ == Kind::kByte) {
    out.Write(v, 8);
    return;
  }
  low_->WriteCode(out, v & 0xFF);
  high_->WriteCode(out, v >> 8);
}

bool TreeBuilder::WriteSymbol(BitWriter& out, uint16_t v) {
  uint16_t chosen = v;
  if (kind_ == Kind::kWord) {
    for (int slot = 0; slot < 3; ++slot) {
      uint16_t marker = markers_[slot];
      if (v == cache_[slot] && lengths_[marker] != kNoLeaf &&
          (lengths_[v] == kNoLeaf || lengths_[marker] < lengths_[v])) {
        chosen = marker;
        break;
      }
    }
    if (v != cache_[0]) cache_ = {v, cache_[0], cache_[1]};
  }
  if (lengths_[chosen] == kNoLeaf) return false;
  WriteCode(out, chosen);
  return true;
}

}  // namespace kinet::encoder
