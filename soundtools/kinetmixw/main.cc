// kinetmixw: encodes sound into one track (1 to 7) of a video file, replacing the track's
// sound or adding it, and copies everything else unchanged into a new video file.
//
//   kinetmixw <input>[.knt] <sound>[.wav] <output>[.knt] [/switches]
#include <string>
#include <vector>

#include "platform/program_info/program_info.h"
#include "soundtools/kinetmixw/mix_run.h"
#include "soundtools/kinetmixw/mix_settings.h"

int main(int argc, char** argv) {
  if (const auto status =
          kinet::platform::AnswerInfoRequest(argc, argv, {"kinetmixw", {&kinet::mix::kSyntax, 1}}))
    return *status;
  const std::vector<std::string> words(argv + 1, argv + argc);
  return kinet::mix::RunMix(words);
}
