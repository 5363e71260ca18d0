// kntthumb: the desktop's thumbnailer for video files (share/thumbnailers/kntthumb.thumbnailer):
// a PNG of one frame, scaled to the size the file manager asks for.
//
//   kntthumb [-s size] [-f frame] file.knt picture.png
#include <cstdio>
#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "platform/program_info/program_info.h"
#include "toolkit/status_frame.h"
#include "tools/kntthumb/thumbnail.h"

int main(int argc, char** argv) {
  using namespace kinet;
  if (const auto status = platform::AnswerInfoRequest(argc, argv, {"kntthumb", {&thumb::kUsage, 1}}))
    return *status;
  const std::vector<std::string> words(argv + 1, argv + argc);
  const auto settings = thumb::ReadThumbSettings(words);
  if (!settings) {
    std::fwrite(thumb::kUsage.data(), 1, thumb::kUsage.size(), stderr);
    return toolkit::kExitUsage;
  }
  const std::string error = thumb::MakeThumbnail(platform::SystemFileSystem(), *settings);
  if (!error.empty()) {
    std::fprintf(stderr, "Error: %s\n", error.c_str());
    return toolkit::kExitFailed;
  }
  return toolkit::kExitSucceeded;
}
