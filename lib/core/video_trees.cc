#include "lib/core/video_trees.h"

#include "lib/core/bit_reader.h"

namespace kinet {

bool VideoTrees::Read(const uint8_t* block, size_t size, const KinetHeader& header) {
  BitReader reader(block, size);
  return mono_map.Read(reader, header.MMapSize) && mono_colour.Read(reader, header.MClrSize) &&
         full.Read(reader, header.FullSize) && block_type.Read(reader, header.TypeSize);
}

}  // namespace kinet
