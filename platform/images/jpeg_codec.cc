// JPEG through libjpeg: grey pictures come back as 8-bit with a grey ramp, colour ones as
// 24-bit. Written as colour at quality 90 (an 8-bit picture through its palette); JPEG cannot
// keep indices.
//
// libjpeg reports errors by longjmp: the functions that call it hold only plain locals, and
// every C++ object they fill is made before the jump point.
#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include <algorithm>
#include <cstdlib>

#include "platform/images/codecs.h"

namespace kinet::platform::codecs {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}
void Silent(j_common_ptr) {}

bool ReadHeader(jpeg_decompress_struct* info, ErrorManager* errors, const uint8_t* data,
                size_t size) {
  if (setjmp(errors->jump)) return false;
  jpeg_mem_src(info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
  if (info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK) return false;
  info->out_color_space = info->num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_calc_output_dimensions(info);
  return true;
}

bool ReadLines(jpeg_decompress_struct* info, ErrorManager* errors, uint8_t* pixels,
               size_t row_bytes) {
  if (setjmp(errors->jump)) return false;
  jpeg_start_decompress(info);
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = pixels + info->output_scanline * row_bytes;
    if (jpeg_read_scanlines(info, &row, 1) != 1) return false;
  }
  jpeg_finish_decompress(info);
  return true;
}

bool WriteLines(jpeg_compress_struct* info, ErrorManager* errors, unsigned char** buffer,
                unsigned long* size, const uint8_t* rgb, uint32_t width, uint32_t height) {
  if (setjmp(errors->jump)) return false;
  jpeg_mem_dest(info, buffer, size);
  info->image_width = width;
  info->image_height = height;
  info->input_components = 3;
  info->in_color_space = JCS_RGB;
  jpeg_set_defaults(info);
  jpeg_set_quality(info, 90, TRUE);
  jpeg_start_compress(info, TRUE);
  while (info->next_scanline < height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb + size_t{info->next_scanline} * width * 3);
    jpeg_write_scanlines(info, &row, 1);
  }
  jpeg_finish_compress(info);
  return true;
}

}  // namespace

std::optional<Image> DecodeJpeg(std::span<const uint8_t> bytes) {
  if (bytes.size() < 3 || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpOut;
  errors.base.output_message = Silent;
  jpeg_create_decompress(&info);
  Image image;
  bool ok = ReadHeader(&info, &errors, bytes.data(), bytes.size());
  if (ok) {
    image.width = info.output_width, image.height = info.output_height;
    image.bits = info.output_components == 1 ? 8 : 24;
    ok = (info.output_components == 1 || info.output_components == 3) && image.Allocate();
  }
  if (ok && image.bits == 8) {
    for (int i = 0; i < 256; ++i) std::fill_n(&image.palette[i * 3], 3, static_cast<uint8_t>(i));
  }
  if (ok) ok = ReadLines(&info, &errors, image.pixels.data(), image.RowBytes());
  jpeg_destroy_decompress(&info);
  if (!ok) return std::nullopt;
  return image;
}

bool EncodeJpeg(const Image& image, std::vector<uint8_t>& out) {
  const std::vector<uint8_t> rgb = ToRgb(image);
  jpeg_compress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpOut;
  errors.base.output_message = Silent;
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = WriteLines(&info, &errors, &buffer, &size, rgb.data(), image.width, image.height);
  jpeg_destroy_compress(&info);
  if (ok) out.assign(buffer, buffer + size);
  std::free(buffer);
  return ok;
}

}  // namespace kinet::platform::codecs
