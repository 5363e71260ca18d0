#include "tests/support/tool_runs.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kinet::testing {

ToolRun RunTool(const std::string& program, const std::string& arguments) {
  const std::string command =
      "KINET_STATUS=terminal '" + program + "' " + arguments + " </dev/null 2>&1";
  ToolRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

ReadyTest Said(const std::string& text) {
  return [text](const std::string& said) { return said.find(text) != std::string::npos; };
}

namespace {

// Reads what the pipe holds now.
void TakeWhatWasSaid(int pipe, std::string& said) {
  char chunk[256];
  for (ssize_t n; (n = read(pipe, chunk, sizeof chunk)) > 0;)
    said.append(chunk, static_cast<size_t>(n));
}

// Waits for the child's end, taking what it says meanwhile, killing it after half a minute;
// false when it had to be killed.
bool AwaitEnd(pid_t child, int pipe, std::string& said, int& status) {
  for (int waited = 0; waitpid(child, &status, WNOHANG) == 0; ++waited) {
    TakeWhatWasSaid(pipe, said);
    if (waited == 30000) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return false;
    }
    usleep(1000);
  }
  return true;
}

}  // namespace

int SignalledTool(const std::string& program, const std::vector<std::string>& arguments,
                  const ReadyTest& ready, int signal, std::string* said) {
  int out[2];
  if (pipe(out) != 0) return -2;
  const pid_t child = fork();
  if (child == 0) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("KINET_STATUS", "terminal", 1);
    dup2(out[1], 2);
    close(out[0]);
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(out[1]);
  fcntl(out[0], F_SETFL, O_NONBLOCK);
  std::string text;
  int status = 0;
  bool ended = false;
  for (int waited = 0; !ended && waited < 30000; ++waited) {
    TakeWhatWasSaid(out[0], text);
    if (ready(text)) break;
    ended = waitpid(child, &status, WNOHANG) != 0;
    usleep(1000);
  }
  if (!ended) kill(child, signal);
  const bool by_itself = ended || AwaitEnd(child, out[0], text, status);
  TakeWhatWasSaid(out[0], text);
  close(out[0]);
  if (said) *said = text;
  if (ended) return -2;
  return by_itself && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string FirstOfEachRun(const std::string& output, std::string_view progress) {
  std::string kept;
  bool in_run = false;
  for (size_t at = 0; at < output.size();) {
    const size_t end = std::min(output.find('\n', at), output.size() - 1);
    const std::string_view line = std::string_view(output).substr(at, end - at + 1);
    at = end + 1;
    const bool is_progress = line.substr(0, progress.size()) == progress;
    if (!(is_progress && in_run)) kept += line;
    in_run = is_progress;
  }
  return kept;
}

}  // namespace kinet::testing
