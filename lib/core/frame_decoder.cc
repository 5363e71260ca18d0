#include "lib/core/frame_decoder.h"

#include <algorithm>
#include <cstring>

#include "lib/core/bit_reader.h"
#include "lib/core/format.h"

namespace kinet {

namespace {

// Bytes of a 4-pixel row selected by a nibble of a two-colour mask: 0xFF where the bit is set.
constexpr std::array<uint32_t, 16> MakeNibbleMasks() {
  std::array<uint32_t, 16> masks{};
  for (uint32_t n = 0; n < 16; ++n)
    for (uint32_t bit = 0; bit < 4; ++bit)
      if (n & (1u << bit)) masks[n] |= 0xFFu << (8 * bit);
  return masks;
}
constexpr std::array<uint32_t, 16> kNibbleMasks = MakeNibbleMasks();

template <bool kDoubled>
struct RowWriter {
  ptrdiff_t row_step, double_offset;

  void Store(uint8_t* p, uint32_t pixels) const {
    std::memcpy(p, &pixels, 4);
    if constexpr (kDoubled) std::memcpy(p + double_offset, &pixels, 4);
  }
  void Fill(uint8_t* p, uint8_t colour, size_t bytes) const {
    std::memset(p, colour, bytes);
    if constexpr (kDoubled) std::memset(p + double_offset, colour, bytes);
  }
};

// Marks the change map as runs go by: groups up to the last block of a changed run become 1,
// groups before the first block after a void run become 0.
class ChangeTracker {
 public:
  explicit ChangeTracker(std::vector<uint8_t>& groups) : groups_(groups) {}
  void Changed(uint32_t last_block) { SetUpTo(last_block / 16 + 1, 1); }
  void Unchanged(uint32_t next_block) { SetUpTo(next_block / 16, 0); }
  void End() { groups_[undecided_] = 0; }

 private:
  void SetUpTo(uint32_t end, uint8_t value) {
    if (end <= undecided_) return;
    std::memset(&groups_[undecided_], value, end - undecided_);
    undecided_ = end;
  }
  std::vector<uint8_t>& groups_;
  uint32_t undecided_ = 0;
};

// A word tree's tables and cache as locals of the frame's decoding, so that they stay in
// registers or on the stack and no store to one makes the compiler reload the other or the
// bit reader.
// Decoding wants at least 16 bits buffered in the reader (BitReader::Fill).
template <bool kTranslated>
struct LocalTree {
  explicit LocalTree(const WordTree& tree) : tables(tree.tables()), cache(WordTree::FreshCache()) {}
  [[gnu::always_inline]] uint16_t Decode(BitReader& reader) {
    return WordTree::DecodeBuffered<kTranslated>(tables, cache, reader);
  }
  const WordTree::Tables tables;
  WordTree::Cache cache;
};

// One refill serves up to three values of at most 16 bits each; longer codes refill on their own.
template <bool kDoubled, bool kTranslated>
bool Decode(const VideoTrees& trees, const uint8_t* data, size_t size, const FrameTarget& target,
            ChangeMap& changes) {
  BitReader reader(data, size);
  LocalTree<kTranslated> block_type(trees.block_type), full(trees.full),
      mono_colour(trees.mono_colour), mono_map(trees.mono_map);
  const RowWriter<kDoubled> out{target.row_step, target.double_offset};
  const uint32_t bpr = target.blocks_per_row;
  const uint32_t total = bpr * target.block_rows;
  const ptrdiff_t step = target.row_step;
  ChangeTracker tracker(changes.groups());
  uint32_t block = 0, column = 0;
  uint8_t* band = target.origin;  // row 0 of the current block row

  while (block < total) {
    reader.Fill();
    const uint16_t type = block_type.Decode(reader);
    const uint32_t run = std::min(RunLength((type >> 2) & 63), total - block);
    const uint32_t kind = type & 3;
    if (kind == kVoid) {
      tracker.Unchanged(block + run);
    } else {
      tracker.Changed(block + run - 1);
    }
    for (uint32_t left = run; left > 0;) {
      // The part of the run that lies in the current block row.
      const uint32_t n = std::min(left, bpr - column);
      uint8_t* p = band + 4 * column;
      switch (kind) {
        case kSolid:
          for (int r = 0; r < 4; ++r) out.Fill(p + r * step, static_cast<uint8_t>(type >> 8), 4 * n);
          break;
        case kFull:
          for (uint32_t i = 0; i < n; ++i, p += 4) {
            for (int r = 0; r < 4; ++r) {
              reader.Fill();
              uint32_t v1 = full.Decode(reader);
              uint32_t v2 = full.Decode(reader);
              out.Store(p + r * step, v2 | v1 << 16);
            }
          }
          break;
        case kTwoColour:
          for (uint32_t i = 0; i < n; ++i, p += 4) {
            reader.Fill();
            uint32_t colours = mono_colour.Decode(reader);
            uint32_t mask = mono_map.Decode(reader);
            uint32_t a = (colours & 0xFF) * 0x01010101u, b = (colours >> 8) * 0x01010101u;
            for (int r = 0; r < 4; ++r) {
              uint32_t select = kNibbleMasks[(mask >> (4 * r)) & 15];
              out.Store(p + r * step, (a & ~select) | (b & select));
            }
          }
          break;
        default:
          break;
      }
      left -= n;
      block += n;
      column += n;
      if (column == bpr) {
        column = 0;
        band += 4 * step;
      }
    }
  }
  tracker.End();
  return !reader.Overrun();
}

}  // namespace

bool DecodeFrameVideo(VideoTrees& trees, const uint8_t* data, size_t size,
                      const FrameTarget& target, ChangeMap& changes) {
  const bool translated =
      trees.mono_colour.translated() || trees.full.translated() || trees.block_type.translated();
  if (target.double_offset != 0) {
    return translated ? Decode<true, true>(trees, data, size, target, changes)
                      : Decode<true, false>(trees, data, size, target, changes);
  }
  return translated ? Decode<false, true>(trees, data, size, target, changes)
                    : Decode<false, false>(trees, data, size, target, changes);
}

}  // namespace kinet
