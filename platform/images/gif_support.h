// What the GIF still-picture codec and the GIF animation share: reading giflib's input from
// memory and copying colour tables.
#pragma once

#include <gif_lib.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/images/image.h"

namespace kinet::platform::codecs {

struct GifMemoryInput {
  std::span<const uint8_t> bytes;
  size_t at = 0;
};

// giflib's input function over a GifMemoryInput in the file's UserData.
int ReadGifFromMemory(GifFileType* gif, GifByteType* data, int size);

// Copies up to 256 entries of `map` into the picture's palette; nothing for a missing map.
void CopyGifColours(const ColorMapObject* map, Image& image);

}  // namespace kinet::platform::codecs
