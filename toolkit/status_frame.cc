#include "toolkit/status_frame.h"

#include "platform/report/report_channel.h"
#include "toolkit/progress_text.h"

namespace kinet::toolkit {
namespace {

constexpr std::string_view kCancelQuestion = "Do you want to cancel?";
// How long one wait for the user's "Done" lasts before the frame looks again.
constexpr int kDoneWaitMs = 250;

}  // namespace

std::unique_ptr<StatusFrame> StatusFrame::Open(const Options& options) {
  std::unique_ptr<platform::Console> console = platform::OpenSystemConsole();
  platform::FaceOptions face_options{options.caption, options.banner,
                                     options.report.channel.has_value()};
  std::unique_ptr<platform::StatusFace> face = platform::OpenStatusFace(face_options, *console);
  return std::make_unique<StatusFrame>(options, std::move(console), std::move(face));
}

StatusFrame::StatusFrame(const Options& options, std::unique_ptr<platform::Console> console,
                         std::unique_ptr<platform::StatusFace> face)
    : options_(options), console_(std::move(console)), face_(std::move(face)) {}

StatusFrame::~StatusFrame() {
  if (!exit_status_) Finish(RunOutcome::kFailed);
}

void StatusFrame::SetStatus(std::string_view text) {
  Pump();
  status_ = text;
  if (!face_closed_) face_->SetStatus(status_);
  Pump();
}

void StatusFrame::SetProgress(uint64_t done, uint64_t total, uint32_t elapsed_ms) {
  if (!face_closed_)
    face_->SetProgress(PercentDone(done, total), ProgressText(done, total, elapsed_ms));
}

void StatusFrame::ShowMessage(platform::MessageIcon icon, std::string_view text) {
  face_->ShowMessage(icon, options_.caption, text);
  Pump();
}

void StatusFrame::ShowUsage(std::span<const std::string_view> boxes,
                            std::string_view not_understood) {
  if (!not_understood.empty()) {
    ShowMessage(platform::MessageIcon::kError, "Not understood: " + std::string(not_understood));
  }
  for (size_t i = 0; i < boxes.size(); ++i) {
    bool last = i + 1 == boxes.size();
    ShowMessage(last ? platform::MessageIcon::kInformation : platform::MessageIcon::kError,
                boxes[i]);
  }
  error_ = true;
}

bool StatusFrame::Ask(std::string_view question, bool default_no) {
  bool yes = face_->AskYesNo(options_.caption, question, default_no);
  SetStatus(std::string(question) + (yes ? " Yes." : " No."));
  return yes;
}

bool StatusFrame::AskOverwrite(platform::FileSystem& files, const std::string& path) {
  // Anything under the name counts, even a file that cannot be read: replacing it without a
  // question would lose it.
  return !files.Exists(path) || ConfirmOverwrite(path);
}

bool StatusFrame::ConfirmOverwrite(const std::string& path) {
  return Ask("File " + path + " exists, overwrite?", true);
}

void StatusFrame::Pump() {
  if (exit_status_) return;
  HandleEvents(face_->Pump());
}

bool StatusFrame::TakeInterrupt() {
  if (console_ && console_->TakeInterrupts() > 0) cancelled_or_finished_ = cancelled_ = error_ = true;
  return cancelled_;
}

void StatusFrame::HandleEvents(const platform::FaceEvents& events) {
  if (events.restored && options_.report.channel) {
    (void)platform::SendReport(*options_.report.channel, platform::kReportRestored, "");
  }
  for (int i = 0; i < events.Requests(); ++i) {
    ++clicks_;
    if (cancelled_or_finished_) continue;
    if (events.confirmed || face_->AskYesNo(options_.caption, kCancelQuestion, true)) {
      cancelled_or_finished_ = true;
      cancelled_ = true;
      error_ = true;
    }
  }
  if (events.close_requests > 0 && cancelled_or_finished_) {
    face_->Close();
    face_closed_ = true;
  }
}

std::string StatusFrame::CompletionText() const {
  return options_.caption + " - " + options_.banner + "\r\n  " + status_;
}

int StatusFrame::Finish(RunOutcome outcome) {
  if (exit_status_) return *exit_status_;
  bool succeeded = outcome == RunOutcome::kSucceeded && !error_;
  if (options_.report.channel) {
    std::string text = CompletionText();
    text.push_back('\0');
    (void)platform::SendReport(*options_.report.channel, platform::kReportCompletion, text);
  }
  if (!options_.report.close_when_done && succeeded && !face_closed_ && face_->CanWaitForDone()) {
    cancelled_or_finished_ = true;
    face_->SetButtonDone();
    int clicks_before = clicks_;
    while (clicks_ == clicks_before && !face_closed_) HandleEvents(face_->Wait(kDoneWaitMs));
  }
  face_->Close();
  face_closed_ = true;
  exit_status_ = outcome == RunOutcome::kUsageError ? kExitUsage
                 : succeeded                        ? kExitSucceeded
                                                    : kExitFailed;
  return *exit_status_;
}

}  // namespace kinet::toolkit
