// tonworkw: converts any sound the tools read (a WAV file, raw PCM, an AVI file's audio, a
// video file's track, a wave list or a numbered series) into one WAV file, or a raw PCM file
// for any other extension, at a chosen rate, sample size and channel count.
//
//   tonworkw <input> <output>[.wav] [/switches]
#include <string>
#include <vector>

#include "platform/program_info/program_info.h"
#include "soundtools/tonworkw/tone_run.h"
#include "soundtools/tonworkw/tone_settings.h"

int main(int argc, char** argv) {
  if (const auto status =
          kinet::platform::AnswerInfoRequest(argc, argv, {"tonworkw", {&kinet::tone::kSyntax, 1}}))
    return *status;
  const std::vector<std::string> words(argv + 1, argv + argc);
  return kinet::tone::RunTone(words);
}
