// Lossless choice of block codes: every block is coded exactly, by the cheapest kind that
// reproduces it (skip, fill, two-colour, full). Used for synthetic animations, where every
// pixel must survive.
#pragma once

#include <cstdint>
#include <vector>

namespace kinet::encoder {

// Code words (block_codes.h) for `picture` (width x height, rows top to bottom) against
// `previous`, the picture a player shows before it; null `previous` (a key frame) allows no
// skip blocks.
std::vector<uint32_t> ChooseExactBlockCodes(const uint8_t* picture, const uint8_t* previous,
                                            uint32_t width, uint32_t height);

}  // namespace kinet::encoder
