// links: kinet_core
// Arbitrary bytes as a tree data block: the first 16 bytes give the four trees' reserved sizes,
// the rest is read as the block; whatever reads is then used to decode the same bytes as video
// data, resetting the caches every 64 values as frames do.
#include <cstddef>
#include <cstdint>

#include "lib/core/bit_reader.h"
#include "lib/core/format.h"
#include "lib/core/video_trees.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 16) return 0;
  KinetHeader header{};
  // Sizes up to 1 MiB: large enough for any tree, small enough to keep runs fast.
  header.MMapSize = kinet::LoadLe32(data) & 0xFFFFF;
  header.MClrSize = kinet::LoadLe32(data + 4) & 0xFFFFF;
  header.FullSize = kinet::LoadLe32(data + 8) & 0xFFFFF;
  header.TypeSize = kinet::LoadLe32(data + 12) & 0xFFFFF;
  kinet::VideoTrees trees;
  if (!trees.Read(data + 16, size - 16, header)) return 0;
  uint8_t table[256];
  for (int i = 0; i < 256; ++i) table[i] = static_cast<uint8_t>(255 - i);
  trees.Translate(table);
  kinet::BitReader reader(data, size);
  for (int i = 0; i < 4096 && !reader.Overrun(); ++i) {
    if (i % 64 == 0) trees.ResetCaches();
    trees.block_type.Decode(reader);
    trees.mono_colour.Decode(reader);
    trees.mono_map.Decode(reader);
    trees.full.Decode(reader);
  }
  return 0;
}
