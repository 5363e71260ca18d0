// kntinfow: prints what a video file holds, and can write its frames as pictures.
//
//   kntinfow file.knt [-F] [-D<folder>] [-W<output>] [-O] [-S#] [-E#]
#include <cstdio>
#include <string>
#include <vector>

#include "kinet/kinet.h"
#include "lib/playback/open_input.h"
#include "platform/files/file_system.h"
#include "platform/files/input_file.h"
#include "platform/program_info/program_info.h"
#include "platform/report/report_channel.h"
#include "platform/terminal/console.h"
#include "toolkit/knt_report.h"
#include "toolkit/run_inputs.h"
#include "toolkit/status_frame.h"
#include "tools/kntinfow/file_tables.h"
#include "tools/kntinfow/frame_export.h"
#include "tools/kntinfow/info_settings.h"

namespace {

using namespace kinet;

// Started with "/#<channel>" (by the front-end), the outcome goes back as a completion report.
int Finish(const toolkit::ReportSwitches& report, int status, const std::string& text) {
  if (report.channel) {
    std::string message = "KntInfo - KntInfoW video file information\r\n  " + text;
    message.push_back('\0');
    (void)platform::SendReport(*report.channel, platform::kReportCompletion, message);
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view usage[] = {info::kInfoUsage};
  if (const auto status = platform::AnswerInfoRequest(argc, argv, {"kntinfow", usage}))
    return *status;
  std::vector<std::string> words(argv + 1, argv + argc);
  toolkit::SwitchLine line(words, info::InfoSwitches());
  const toolkit::ReportSwitches report = toolkit::TakeReportSwitches(line);
  const std::optional<info::InfoSettings> s = info::ReadInfoSettings(line);
  if (!s) {
    if (const std::string word = line.NotUnderstood(1); !word.empty())
      std::fprintf(stderr, "Not understood: %s\n", word.c_str());
    std::fputs(info::kInfoUsage, stderr);
    return Finish(report, toolkit::kExitUsage, "Usage: kntinfow file.knt [-F] [-D<folder>]");
  }
  platform::FileSystem& files = platform::SystemFileSystem();
  // Catches Ctrl-C and termination requests, so that a long walk ends at the next frame.
  const std::unique_ptr<platform::Console> console = platform::OpenSystemConsole();
  // What the run reads, which no picture or output it writes may replace.
  toolkit::RunInputs inputs(files);
  platform::InputFile file;
  // Every frame decoded however long writing takes: a dump must hold every picture.
  KinetHandle* h =
      file.Open(inputs, s->path) ? OpenInputFile(std::move(file), KINET_OPEN_NO_SKIP, -1) : nullptr;
  if (!h) {
    std::fprintf(stderr, "Error: %s cannot be opened as a video file\n", s->path.c_str());
    return Finish(report, toolkit::kExitFailed,
                  "Error: " + s->path + " cannot be opened as a video file");
  }
  const info::FileTables tables = info::ReadFileTables(files, s->path);
  info::PrintHeader(stdout, *h);
  const bool walk = s->list || !s->folder.empty() || !s->output.empty();
  const info::ExportOutcome outcome =
      walk ? info::ExportFrames(files, inputs, h, *s, tables,
                                [&console] { return console->TakeInterrupts() > 0; })
           : info::ExportOutcome::kDone;
  const bool interrupted = outcome == info::ExportOutcome::kInterrupted;
  if (interrupted) std::fprintf(stderr, "Interrupted at frame %u\n", h->FrameNum + 1);
  bool ok = outcome == info::ExportOutcome::kDone;
  // A cut file opens and shows its first frames: only its tables tell what is missing.
  const bool cut = tables.complete < tables.records.count();
  if (cut)
    std::fprintf(stderr, "Warning: the file ends inside frame record %u of %u\n",
                 tables.complete + 1, tables.records.count());
  else if (h->ReadError)
    std::fprintf(stderr, "Error: frame record %u cannot be read\n", h->FrameNum + 1);
  ok = ok && !cut && !h->ReadError;
  KinetSummaryRecord summary;
  KinetSummary(h, &summary);
  info::PrintSummary(stdout, summary, h->Frames, false);
  const std::string done = std::to_string(h->Width) + " x " + std::to_string(h->Height) + ", " +
                           std::to_string(h->Frames) + " frames in " + s->path;
  KinetClose(h);
  if (ok) return Finish(report, toolkit::kExitSucceeded, done);
  return Finish(report, toolkit::kExitFailed,
                (interrupted ? "Interrupted: " : "Error reading ") + s->path);
}
