// kinetplayw: plays a video file with its sound in a window.
//
//   kinetplayw file.knt [/L[n]] [/F[n]] [/P] [/S] ... (see the usage text)
#include <cstdio>
#include <string>
#include <vector>

#include "platform/clock/clock.h"
#include "platform/program_info/program_info.h"
#include "toolkit/knt_report.h"
#include "toolkit/status_frame.h"
#include "tools/kinetplayw/player.h"
#include "tools/kinetplayw/seeking.h"

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
  // With /S the status line follows the frame shown and its time.
  player::FrameObserver readout;
  if (settings->summary)
    readout = [&frame](const player::ShownFrame& shown) {
      frame->SetStatus(player::ReadOut(shown.frame, shown.frames, shown.period));
    };
  const player::PlayResult result = player::Play(*settings, platform::SystemClock(), readout,
                                                 [&frame] { return frame->TakeInterrupt(); });
  if (result.interrupted) {
    frame->SetStatus(result.message);
    return frame->Finish(toolkit::RunOutcome::kFailed);
  }
  if (!result.ok) {
    frame->SetStatus(result.message);
    frame->ShowError(result.message);
    return frame->Finish(toolkit::RunOutcome::kFailed);
  }
  if (settings->summary) info::PrintSummary(stdout, result.summary, result.frames, true);
  frame->SetStatus(result.message);
  return frame->Finish(toolkit::RunOutcome::kSucceeded);
}
