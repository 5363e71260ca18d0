#include "lib/core/frame_tables.h"

#include "lib/core/format.h"

namespace kinet {

FrameTables ParseFrameTables(const uint8_t* bytes, uint32_t records) {
  FrameTables tables;
  tables.sizes.resize(records);
  for (uint32_t i = 0; i < records; ++i) tables.sizes[i] = LoadLe32(bytes + 4ull * i);
  tables.types.assign(bytes + 4ull * records, bytes + 5ull * records);
  return tables;
}

}  // namespace kinet
