// GIF through giflib: the first picture of a file, placed on its logical screen (filled with
// the background index), with its local or the global colour table; interlaced pictures are
// brought into row order. 8-bit pictures are written with a 256-entry global table. GIF holds
// only 8-bit pictures.

#include <algorithm>
#include <cstring>

#include "platform/images/codecs.h"
#include "platform/images/gif_support.h"

namespace kinet::platform::codecs {
namespace {

int WriteToMemory(GifFileType* gif, const GifByteType* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + size);
  return size;
}

// Reads the first picture's lines onto the screen. False on a malformed file.
bool ReadPicture(GifFileType* gif, Image& image) {
  const GifImageDesc& d = gif->Image;
  if (d.Left < 0 || d.Top < 0 || d.Width <= 0 || d.Height <= 0 ||
      uint64_t{static_cast<uint32_t>(d.Left)} + static_cast<uint32_t>(d.Width) > image.width ||
      uint64_t{static_cast<uint32_t>(d.Top)} + static_cast<uint32_t>(d.Height) > image.height) {
    return false;
  }
  CopyGifColours(d.ColorMap ? d.ColorMap : gif->SColorMap, image);
  static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  const int passes = d.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int start = d.Interlace ? kStart[pass] : 0, step = d.Interlace ? kStep[pass] : 1;
    for (int y = start; y < d.Height; y += step) {
      uint8_t* row = &image.pixels[size_t(d.Top + y) * image.width + static_cast<size_t>(d.Left)];
      if (DGifGetLine(gif, row, d.Width) != GIF_OK) return false;
    }
  }
  return true;
}

bool ReadFirstPicture(GifFileType* gif, Image& image) {
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) != GIF_OK) return false;
    if (type == IMAGE_DESC_RECORD_TYPE) {
      return DGifGetImageDesc(gif) == GIF_OK && ReadPicture(gif, image);
    }
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
      while (block) {
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
      }
    } else if (type == TERMINATE_RECORD_TYPE) {
      return false;
    }
  }
}

}  // namespace

int ReadGifFromMemory(GifFileType* gif, GifByteType* data, int size) {
  auto* in = static_cast<GifMemoryInput*>(gif->UserData);
  const size_t n = std::min(static_cast<size_t>(std::max(size, 0)), in->bytes.size() - in->at);
  std::memcpy(data, in->bytes.data() + in->at, n);
  in->at += n;
  return static_cast<int>(n);
}

void CopyGifColours(const ColorMapObject* map, Image& image) {
  if (!map || !map->Colors) return;
  for (int i = 0; i < map->ColorCount && i < 256; ++i) {
    image.palette[i * 3] = map->Colors[i].Red;
    image.palette[i * 3 + 1] = map->Colors[i].Green;
    image.palette[i * 3 + 2] = map->Colors[i].Blue;
  }
}

std::optional<Image> DecodeGif(std::span<const uint8_t> bytes) {
  if (bytes.size() < 6 || std::memcmp(bytes.data(), "GIF", 3) != 0) return std::nullopt;
  GifMemoryInput input{bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, ReadGifFromMemory, &error);
  if (!gif) return std::nullopt;
  Image image;
  image.width = static_cast<uint32_t>(std::max(gif->SWidth, 0));
  image.height = static_cast<uint32_t>(std::max(gif->SHeight, 0));
  bool ok = image.Allocate();
  if (ok) {
    std::fill(image.pixels.begin(), image.pixels.end(),
              static_cast<uint8_t>(gif->SBackGroundColor));
    CopyGifColours(gif->SColorMap, image);
    ok = ReadFirstPicture(gif, image);
  }
  DGifCloseFile(gif, &error);
  if (!ok) return std::nullopt;
  return image;
}

bool EncodeGif(const Image& image, std::vector<uint8_t>& out) {
  if (image.bits != 8 || image.width > 65535 || image.height > 65535) return false;
  GifColorType colours[256];
  for (int i = 0; i < 256; ++i) {
    colours[i] = {image.palette[i * 3], image.palette[i * 3 + 1], image.palette[i * 3 + 2]};
  }
  int error = 0;
  GifFileType* gif = EGifOpen(&out, WriteToMemory, &error);
  if (!gif) return false;
  ColorMapObject* map = GifMakeMapObject(256, colours);
  const int w = static_cast<int>(image.width), h = static_cast<int>(image.height);
  bool ok = map && EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
  for (uint32_t y = 0; ok && y < image.height; ++y) {
    ok = EGifPutLine(gif, const_cast<GifPixelType*>(&image.pixels[y * image.width]), w) == GIF_OK;
  }
  GifFreeMapObject(map);
  return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

}  // namespace kinet::platform::codecs
