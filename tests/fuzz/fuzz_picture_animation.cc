// links: kinet_platform_images
// Arbitrary bytes as an animated GIF and as an animated PNG (and the GIF as a still picture):
// every frame composed twice around, each the size of the screen.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/images/gif_animation.h"
#include "platform/images/image.h"
#include "platform/images/png_animation.h"

namespace {

void PlayTwice(kinet::platform::PictureAnimation* animation) {
  if (!animation) return;
  kinet::platform::Image frame;
  for (uint32_t i = 0; i < 2 * animation->frame_count() && i < 64; ++i) {
    if (!animation->Next(frame)) break;
    if (frame.width != animation->width() || frame.height != animation->height()) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kinet::platform;
  (void)DecodeImage(ImageFormat::kGif, {data, size});
  PlayTwice(GifAnimation::Decode(std::vector<uint8_t>(data, data + size)).get());
  PlayTwice(PngAnimation::Decode(std::vector<uint8_t>(data, data + size)).get());
  return 0;
}
