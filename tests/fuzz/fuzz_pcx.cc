// links: kinet_platform_images
// Arbitrary bytes as a PCX picture. Whatever decodes is written again and must decode to the
// same picture: an 8-bit one with the same indices and palette.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/images/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kinet::platform;
  auto image = DecodeImage(ImageFormat::kPcx, {data, size});
  if (!image) return 0;
  std::vector<uint8_t> again;
  if (!EncodeImage(ImageFormat::kPcx, *image, again)) return 0;
  auto back = DecodeImage(ImageFormat::kPcx, again);
  if (!back || back->pixels.size() != image->pixels.size()) std::abort();
  if (image->bits == 8 && (back->pixels != image->pixels || back->palette != image->palette)) {
    std::abort();
  }
  return 0;
}
