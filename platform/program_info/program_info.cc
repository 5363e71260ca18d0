#include "platform/program_info/program_info.h"

#include <cstdio>
#include <vector>

namespace kinet::platform {

std::string_view PackageVersion() { return KINET_VERSION; }

std::optional<std::string> InfoAnswer(std::span<const std::string> words, const ProgramInfo& info) {
  for (const std::string& word : words) {
    if (word == "--version")
      return std::string(info.name) + " (Kinetor) " + std::string(PackageVersion()) + "\n";
    if (word != "--help") continue;
    // The usage boxes keep the line ends of the message boxes they also fill.
    std::string text;
    for (std::string_view box : info.usage) {
      for (size_t i = 0; i < box.size(); ++i)
        if (!(box[i] == '\r' && i + 1 < box.size() && box[i + 1] == '\n')) text += box[i];
    }
    if (!text.empty() && text.back() != '\n') text += '\n';
    return text;
  }
  return std::nullopt;
}

std::optional<int> AnswerInfoRequest(int argc, char** argv, const ProgramInfo& info) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  const std::optional<std::string> answer = InfoAnswer(words, info);
  if (!answer) return std::nullopt;
  const bool written = std::fwrite(answer->data(), 1, answer->size(), stdout) == answer->size();
  return std::fflush(stdout) == 0 && written ? 0 : 1;
}

}  // namespace kinet::platform
