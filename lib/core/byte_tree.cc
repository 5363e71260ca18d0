#include "lib/core/byte_tree.h"

namespace kinet {

bool ByteTree::Read(BitReader& reader) {
  nodes_.clear();
  nodes_.reserve(kMaxNodes);
  auto read_value = [](BitReader& r) { return static_cast<uint16_t>(r.Read(8)); };
  if (ReadTreeShape(reader, kMaxNodes, nodes_, read_value)) return true;
  nodes_.clear();
  return false;
}

}  // namespace kinet
