// The video side of the encoder's output: the four word trees of a file, their statistics, and
// each frame's video bit stream. Read by kinet::DecodeFrameVideo (lib/core/frame_decoder.h).
#pragma once

#include <cstdint>
#include <vector>

#include "compressor/bit_writer.h"
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

 private:
  template <typename Emit>
  static void ForEachSymbol(const FrameCodes& frame, Emit&& emit);
  void EndFrame();

  // In file order: mono-map, mono-colour, full, block-type.
  TreeBuilder trees_[4];
};

}  // namespace kinet::encoder
