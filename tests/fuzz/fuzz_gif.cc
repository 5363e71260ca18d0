// links: kinet_platform_images
// Arbitrary bytes as a GIF: the still picture, then the animation composed twice around.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/images/gif_animation.h"
#include "platform/images/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kinet::platform;
  (void)DecodeImage(ImageFormat::kGif, {data, size});
  auto animation = GifAnimation::Decode(std::vector<uint8_t>(data, data + size));
  if (!animation) return 0;
  Image frame;
  for (uint32_t i = 0; i < 2 * animation->frame_count() && i < 64; ++i) {
    if (!animation->Next(frame)) break;
    if (frame.width != animation->width() || frame.height != animation->height()) std::abort();
  }
  return 0;
}
