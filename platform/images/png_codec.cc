// PNG through libpng. Palette pictures (any bit depth up to 8) come back as 8-bit with their
// palette, grey pictures as 8-bit with a grey ramp, colour as 24-bit and colour or grey with
// alpha as 32-bit. 8-bit pictures are written as palette PNGs with all 256 entries.
//
// libpng reports errors by longjmp: the functions that call it hold only plain locals, and
// every C++ object they fill is made before the jump point.
#include <png.h>

#include <algorithm>
#include <cstring>

#include "platform/images/codecs.h"

namespace kinet::platform::codecs {
namespace {

struct MemoryInput {
  std::span<const uint8_t> bytes;
  size_t at = 0;
};

void ReadFromMemory(png_structp png, png_bytep data, png_size_t size) {
  auto* in = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (size > in->bytes.size() - in->at) png_error(png, "truncated");
  std::memcpy(data, in->bytes.data() + in->at, size);
  in->at += size;
}

void WriteToMemory(png_structp png, png_bytep data, png_size_t size) {
  static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png))
      ->insert(static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png))->end(), data, data + size);
}

void FlushNothing(png_structp) {}

// Errors jump back to the caller's setjmp without printing; warnings are dropped.
[[noreturn]] void JumpOut(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Silent(png_structp, png_const_charp) {}

struct Header {
  png_uint_32 width = 0, height = 0;
  int colour_type = 0;
  int channels = 0;
};

// Reads the header and sets the transforms that give one byte per channel. False on error.
bool ReadHeader(png_structp png, png_infop info, Header* h, uint8_t* palette) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
  png_read_info(png, info);
  int depth = 0;
  png_get_IHDR(png, info, &h->width, &h->height, &depth, &h->colour_type, nullptr, nullptr,
               nullptr);
  if (depth == 16) png_set_strip_16(png);
  if (depth < 8) png_set_packing(png);
  if (h->colour_type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (h->colour_type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if (h->colour_type == PNG_COLOR_TYPE_RGB && png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_tRNS_to_alpha(png);
  }
  png_colorp entries = nullptr;
  int count = 0;
  if (h->colour_type == PNG_COLOR_TYPE_PALETTE &&
      png_get_PLTE(png, info, &entries, &count) == PNG_INFO_PLTE) {
    for (int i = 0; i < count && i < 256; ++i) {
      palette[i * 3] = entries[i].red, palette[i * 3 + 1] = entries[i].green;
      palette[i * 3 + 2] = entries[i].blue;
    }
  }
  png_read_update_info(png, info);
  h->channels = png_get_channels(png, info);
  return true;
}

bool ReadRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  return true;
}

bool WritePng(png_structp png, png_infop info, const Image* image, png_bytepp rows,
              const png_color* palette) {
  if (setjmp(png_jmpbuf(png))) return false;
  const int type = image->bits == 8    ? PNG_COLOR_TYPE_PALETTE
                   : image->bits == 32 ? PNG_COLOR_TYPE_RGB_ALPHA
                                       : PNG_COLOR_TYPE_RGB;
  png_set_IHDR(png, info, image->width, image->height, 8, type, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, palette, 256);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, info);
  return true;
}

}  // namespace

std::optional<Image> DecodePng(std::span<const uint8_t> bytes) {
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return std::nullopt;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOut, Silent);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  MemoryInput input{bytes};
  Image image;
  Header h;
  bool ok = info != nullptr;
  if (ok) {
    png_set_read_fn(png, &input, ReadFromMemory);
    ok = ReadHeader(png, info, &h, image.palette.data());
  }
  if (ok) {
    image.width = h.width, image.height = h.height;
    image.bits = h.channels == 1 ? 8 : h.channels == 3 ? 24 : 32;
    ok = (h.channels == 1 || h.channels == 3 || h.channels == 4) && image.Allocate();
  }
  if (ok && h.colour_type == PNG_COLOR_TYPE_GRAY) {
    for (int i = 0; i < 256; ++i) std::fill_n(&image.palette[i * 3], 3, static_cast<uint8_t>(i));
  }
  if (ok) {
    std::vector<png_bytep> rows(image.height);
    for (uint32_t y = 0; y < image.height; ++y) rows[y] = &image.pixels[y * image.RowBytes()];
    ok = ReadRows(png, info, rows.data());
  }
  png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  if (!ok) return std::nullopt;
  return image;
}

bool EncodePng(const Image& image, std::vector<uint8_t>& out) {
  Image colour;
  const Image* source = &image;
  if (image.bits == 16) {  // PNG has no 5-5-5 form: widen to 24-bit
    colour.width = image.width, colour.height = image.height, colour.bits = 24;
    colour.pixels = ToRgb(image);
    source = &colour;
  }
  png_color palette[256];
  for (int i = 0; i < 256; ++i) {
    palette[i] = {image.palette[i * 3], image.palette[i * 3 + 1], image.palette[i * 3 + 2]};
  }
  std::vector<png_bytep> rows(source->height);
  for (uint32_t y = 0; y < source->height; ++y) {
    rows[y] = const_cast<png_bytep>(&source->pixels[y * source->RowBytes()]);
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOut, Silent);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = info != nullptr;
  if (ok) {
    png_set_write_fn(png, &out, WriteToMemory, FlushNothing);
    ok = WritePng(png, info, source, rows.data(), palette);
  }
  png_destroy_write_struct(&png, info ? &info : nullptr);
  return ok;
}

}  // namespace kinet::platform::codecs
