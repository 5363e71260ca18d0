#include "tests/support/tool_runs.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>

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
