// Symbol statistics, tree building and symbol writing for one Huffman tree of a video file or
// a sound record. What it writes is read by kinet::ByteTree and kinet::WordTree
// (lib/core/byte_tree.h, lib/core/word_tree.h).
//
// Use: Start; Add every symbol in coding order, EndFrame after every frame; BuildAndWrite once;
// then WriteSymbol the same symbols in the same order, EndFrame after every frame.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "compressor/bit_writer.h"

namespace kinet::encoder {

class TreeBuilder {
 public:
  enum class Kind { kByte, kWord };
  static constexpr uint8_t kNoLeaf = 255;
  // A cache slot's marker value gets a leaf of its own only when the slot was hit this often.
  static constexpr uint32_t kMarkerMinHits = 32;
  static constexpr int32_t kTooDeep = -1;

  explicit TreeBuilder(Kind kind);
  ~TreeBuilder();
  TreeBuilder(TreeBuilder&&) noexcept;
  TreeBuilder& operator=(TreeBuilder&&) noexcept;

  // Statistics: clears all counts, the used flag and the cache.
  void Start();
  void Add(uint16_t v);
  // Add(v) `n` times over.
  void AddRepeated(uint16_t v, uint32_t n);
  // Empties the cache (all three slots hold 0), as the reader does at every frame's start.
  void EndFrame() { cache_.fill(0); }

  // Builds the code from the statistics and writes the tree. Returns the decoded size of a
  // word tree for the file header (12 for an unused tree), 0 for a byte tree, or kTooDeep when
  // a code would be longer than 30 bits or a word tree has fewer than three absent values to
  // serve as markers.
  [[nodiscard]] int32_t BuildAndWrite(BitWriter& out);

  // Writes v's code (or, for a word tree, the shorter code of the cache slot holding v).
  // Returns false when v has no code, which means it was never added.
  [[nodiscard]] bool WriteSymbol(BitWriter& out, uint16_t v);

  bool used() const { return used_; }
  uint8_t CodeLength(uint16_t v) const { return lengths_[v]; }
  const std::array<uint16_t, 3>& markers() const { return markers_; }

 private:
  bool ChooseMarkers();
  [[nodiscard]] bool BuildByteTrees(BitWriter& out);
  void WriteValue(BitWriter& out, uint16_t v) const;
  void WriteCode(BitWriter& out, uint16_t v) const { out.Write(codes_[v], lengths_[v]); }

  Kind kind_;
  std::vector<uint32_t> counts_;
  std::vector<uint8_t> lengths_;
  std::vector<uint32_t> codes_;
  bool used_ = false;
  std::array<uint16_t, 3> cache_{};
  std::array<uint32_t, 3> hits_{};
  std::array<uint16_t, 3> markers_{};
  std::unique_ptr<TreeBuilder> low_, high_;  // word trees: the byte trees spelling the leaves
};

}  // namespace kinet::encoder
