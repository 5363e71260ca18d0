#include "tests/support/tool_runs.h"

#include <sys/wait.h>

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

}  // namespace kinet::testing
