// A tiny tool in the tools' frame, for tests that run a tool as a process:
//   kinet_frame_probe <name> [/F] [/O] [/#n] [/#]
// It "probes" the name: asks before replacing it unless /O, fails on /F, and reports
// "Probed <name>." Exit status and completion report as every tool.
#include <string>
#include <vector>

#include "toolkit/status_frame.h"
#include "toolkit/switches.h"

namespace {

using kinet::toolkit::RunOutcome;
using kinet::toolkit::SwitchKind;

constexpr kinet::toolkit::KnownSwitch kSwitches[] = {
    {'#', SwitchKind::kNumber},
    {'#', SwitchKind::kFlag},
    {'F', SwitchKind::kFlag},
    {'O', SwitchKind::kFlag},
};

constexpr std::string_view kUsage[] = {
    "Syntax:  Probe <Name> [/Switches]\r\n",
    "\r\n  Switches:\r\n    /F  - Fail.\r\n    /O  - Overwrite without asking.",
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  kinet::toolkit::SwitchLine line(words, kSwitches);
  kinet::toolkit::ReportSwitches report = kinet::toolkit::TakeReportSwitches(line);
  auto frame = kinet::toolkit::StatusFrame::Open({"Probe", "kinetprobe frame test 1.0", report});
  bool fail = line.TakeFlag('F');
  bool overwrite = line.TakeFlag('O');
  if (line.HasLeftover() || line.names().size() != 1) {
    frame->ShowUsage(kUsage);
    return frame->Finish(RunOutcome::kUsageError);
  }
  const std::string& name = line.names()[0];
  frame->SetStatus("Probing " + name + "...");
  if (!overwrite && !frame->AskOverwrite(kinet::platform::SystemFileSystem(), name))
    return frame->Finish(RunOutcome::kFailed);
  if (fail) {
    frame->ShowError("Error probing " + name + ".");
    return frame->Finish(RunOutcome::kFailed);
  }
  frame->SetStatus("Probed " + name + ".");
  return frame->Finish(RunOutcome::kSucceeded);
}
