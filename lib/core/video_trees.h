// The four word trees of a video file, read once from its tree data block.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kinet/kinet_format.h"
#include "lib/core/word_tree.h"

namespace kinet {

struct VideoTrees {
  WordTree mono_map{11, ColourUse::kNone};         // 16-bit masks of two-colour blocks
  WordTree mono_colour{10, ColourUse::kBothBytes};  // colour pairs of two-colour blocks
  // Full blocks hold most of the bits of busy pictures; their codes run longest, so a wider
  // first table keeps most of them to one lookup.
  WordTree full{13, ColourUse::kBothBytes};  // pixel pairs of full blocks
  WordTree block_type{8, ColourUse::kFillColour};  // kind, run code and fill colour

  // Reads the four trees back to back from the tree data block, each limited to its size field
  // of the header. Returns false when any is malformed or the block ends inside a tree.
  [[nodiscard]] bool Read(const uint8_t* block, size_t size, const KinetHeader& header);

  // Bytes the four decoded trees hold (nodes and lookup tables).
  size_t TableBytes() const {
    return mono_map.TableBytes() + mono_colour.TableBytes() + full.TableBytes() +
           block_type.TableBytes();
  }

  // Start of every frame's video data: all caches back to the coded value 0.
  void ResetCaches() {
    mono_map.ResetCache();
    mono_colour.ResetCache();
    full.ResetCache();
    block_type.ResetCache();
  }

  // Colour translation of everything the trees deliver as palette indices.
  void Translate(const uint8_t table[256]) {
    mono_colour.Translate(table);
    full.Translate(table);
    block_type.Translate(table);
  }
};

}  // namespace kinet
