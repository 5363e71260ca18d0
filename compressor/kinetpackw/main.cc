// kinetpackw: compresses a flic, AVI file, picture, picture series, list or video file into a
// video file (.knt), or into a flic or pictures of the compressed frames.
//
//   kinetpackw <input> <output>[.knt] [/switches]
#include <string>
#include <vector>

#include "compressor/kinetpackw/pack_run.h"
#include "compressor/kinetpackw/pack_settings.h"
#include "platform/clock/clock.h"
#include "platform/files/file_system.h"
#include "platform/program_info/program_info.h"

int main(int argc, char** argv) {
  if (const auto status =
          kinet::platform::AnswerInfoRequest(argc, argv, {"kinetpackw", kinet::pack::kUsageBoxes}))
    return *status;
  const std::vector<std::string> words(argv + 1, argv + argc);
  return kinet::pack::RunPack(words, kinet::platform::SystemFileSystem(),
                              kinet::platform::SystemClock());
}
