// The video side of the encoder's output: the four word trees of a file, their statistics, and
// each frame's video bit stream. Read by kinet::DecodeFrameVideo (lib/core/frame_decoder.h).
#pragma once

#include <cstdint>
#include <vector>

#include "compressor/bit_writer.h"
#include "compressor/block_codes.h"
#include "compressor/tree_builder.h"

namespace kinet::encoder {

// One frame as the encoder decided it: a code word per block in raster order, and the stored
// picture (for the pixels of full blocks), `width` bytes per row.
struct FrameCodes {
  const uint32_t* codes = nullptr;
  const uint8_t* pixels = nullptr;
  uint32_t width = 0;
  uint32_t blocks_per_row = 0;
  uint32_t block_rows = 0;
};

// The top-left pixel of block `b` of the frame's picture.
inline const uint8_t* BlockPixels(const FrameCodes& f, uint32_t b) {
  return f.pixels + size_t{b / f.blocks_per_row} * 4 * f.width + (b % f.blocks_per_row) * 4;
}

class VideoTreeSet {
 public:
  // The trees in file order.
  enum Tree { kMonoMap = 0, kMonoColour = 1, kFull = 2, kBlockType = 3 };

  VideoTreeSet();

  // Statistics: Start once, then AddFrame for every frame in order.
  void Start();
  void AddFrame(const FrameCodes& frame);

  // Builds and writes the four trees in file order; `sizes` receives MMapSize, MClrSize,
  // FullSize, TypeSize. False when a tree is too complex (a code deeper than 30 bits).
  [[nodiscard]] bool BuildAndWrite(BitWriter& out, uint32_t sizes[4]);

  // Writes a frame's video bit stream, the frames in the order they were added. False when a
  // symbol has no code (the frame differs from the one added).
  [[nodiscard]] bool WriteFrame(const FrameCodes& frame, BitWriter& out);

  // Calls emit(tree, symbol) for every symbol of the frame in stream order: per chunk of a
  // run, its block-type value, then for full blocks each row's pixels 2-3 and 0-1, for
  // two-colour blocks the colour pair and the mask.
  template <typename Emit>
  static void ForEachSymbol(const FrameCodes& frame, Emit&& emit);

 private:
  void EndFrame();

  TreeBuilder trees_[4];  // by Tree
};

template <typename Emit>
void VideoTreeSet::ForEachSymbol(const FrameCodes& f, Emit&& emit) {
  ForEachChunk(f.codes, f.blocks_per_row * f.block_rows,
               [&](uint32_t code, uint32_t first, uint32_t blocks) {
                 const uint16_t kind = KindOf(code);
                 const uint16_t fill = kind == 3 ? static_cast<uint16_t>((code & 0xFF) << 8) : 0;
                 emit(kBlockType, static_cast<uint16_t>(kind | RunCode(blocks) << 2 | fill));
                 for (uint32_t b = first; b < first + blocks; ++b) {
                   if (kind == 1) {
                     const uint8_t* p = BlockPixels(f, b);
                     for (int r = 0; r < 4; ++r, p += f.width) {
                       emit(kFull, static_cast<uint16_t>(p[2] | p[3] << 8));
                       emit(kFull, static_cast<uint16_t>(p[0] | p[1] << 8));
                     }
                   } else if (kind == 0) {
                     emit(kMonoColour, static_cast<uint16_t>(f.codes[b] >> 16));
                     emit(kMonoMap, static_cast<uint16_t>(f.codes[b]));
                   }
                 }
               });
}

}  // namespace kinet::encoder
