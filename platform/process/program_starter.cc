#include "platform/process/program_starter.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

namespace kinet::platform {
namespace {

class SpawnProgramStarter : public ProgramStarter {
 public:
  int Start(const std::string& command_line) override {
    // Programs started earlier are reaped here, so a long script leaves no zombies behind.
    while (::waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    std::vector<std::string> words = SplitCommandLine(command_line);
    if (words.empty()) return 0;
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int error = ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
    if (error == ENOENT) return 2;
    if (error != 0) return 0;
    return pid > 31 ? static_cast<int>(pid) : 32;
  }

  std::optional<ProgramEnd> Finished(int pid) override {
    int status = 0;
    const pid_t result = ::waitpid(pid, &status, WNOHANG);
    if (result == 0) return std::nullopt;
    if (result < 0) return errno == EINTR ? std::nullopt : std::optional<ProgramEnd>({false, -1});
    if (WIFSIGNALED(status)) return ProgramEnd{true, WTERMSIG(status)};
    return ProgramEnd{false, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
  }
};

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& command_line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false, quoted = false;
  for (char c : command_line) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if (!quoted && static_cast<unsigned char>(c) <= ' ') {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

ProgramStarter& SystemProgramStarter() {
  static SpawnProgramStarter instance;
  return instance;
}

}  // namespace kinet::platform
