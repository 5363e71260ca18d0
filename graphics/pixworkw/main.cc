// pixworkw: converts a flic, AVI file, picture, picture series, list or video file into a flic
// or numbered pictures, re-quantized, cut to a sub-frame or to a frame range when asked.
//
//   pixworkw <input> <output>[.flc] [/switches]
#include <string>
#include <vector>

#include "graphics/pixworkw/pix_run.h"
#include "graphics/pixworkw/pix_settings.h"
#include "platform/program_info/program_info.h"

int main(int argc, char** argv) {
  if (const auto status =
          kinet::platform::AnswerInfoRequest(argc, argv, {"pixworkw", kinet::pix::kUsageBoxes}))
    return *status;
  const std::vector<std::string> words(argv + 1, argv + argc);
  return kinet::pix::RunPix(words, kinet::platform::SystemFileSystem(),
                            kinet::platform::SystemClock());
}
