// kinetplayw: plays a video file with its sound in a window.
//
//   kinetplayw file.knt [/L[n]] [/F[n]] [/P] [/S] ... (see the usage text)
#include <cstdio>
#include <string>
#include <vector>

#include "platform/program_info/program_info.h"
#include "toolkit/knt_report.h"
#include "toolkit/status_frame.h"
#include "tools/kinetplayw/player.h"

int main(int argc, char** argv) {
  using namespace kinet;
  const std::string_view usage[] = {player::kPlayerUsage};
  if (const auto status = platform::AnswerInfoRequest(argc, argv, {"kinetplayw", usage}))
    return *status;
  std::vector<std::string> words(argv + 1, argv + argc);
  toolkit::SwitchLine line(words, player::PlayerSwitches());
  const toolkit::ReportSwitches report = toolkit::TakeReportSwitches(line);
  auto frame = toolkit::StatusFrame::Open({"KinetPlay", "KinetPlayW video player", report});
  const auto settings = player::ReadPlayerSettings(line);
  if (!settings) {
    const std::string_view boxes[] = {player::kPlayerUsage};
    frame->ShowUsage(boxes, line.NotUnderstood(1));
    return frame->Finish(toolkit::RunOutcome::kUsageError);
  }
  frame->SetStatus("Playing " + settings->file + "...");
  const player::PlayResult result = player::Play(*settings);
  if (!result.ok) {
    frame->SetStatus(result.message);
    frame->ShowError(result.message);
    return frame->Finish(toolkit::RunOutcome::kFailed);
  }
  if (settings->summary) info::PrintSummary(stdout, result.summary);
  frame->SetStatus(result.message);
  return frame->Finish(toolkit::RunOutcome::kSucceeded);
}
