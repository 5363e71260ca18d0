// The status frame every tool runs in: its status line and banner, the Cancel / Done button,
// message boxes and questions, and at the end the completion report to the program that
// started the tool.
//
// Typical run of a tool:
//   SwitchLine line(words, kSwitchTable);
//   ReportSwitches report = TakeReportSwitches(line);           // "/#" switches come first
//   auto frame = StatusFrame::Open({"Kinet", "KinetPackW compressor 3.0f", report});
//   ... read the other switches; on a syntax error:
//       frame->ShowUsage(kUsageBoxes); return frame->Finish(RunOutcome::kUsageError);
//   ... work, calling frame->SetStatus(...) and checking frame->error() between steps ...
//   return frame->Finish(frame->error() ? RunOutcome::kFailed : RunOutcome::kSucceeded);
//
// The frame is single-threaded: the user's Cancel (the button, closing the window, Ctrl-C on a
// terminal) is noticed only when the tool sets its status text, shows a message, asks, or
// calls Pump(). A confirmed cancel only sets the error flag; the tool's work loop checks
// error() and stops itself.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/files/file_system.h"
#include "platform/status_window/status_face.h"
#include "platform/terminal/console.h"
#include "toolkit/switches.h"

namespace kinet::toolkit {

enum class RunOutcome { kSucceeded, kFailed, kUsageError };

// Exit statuses of every tool.
inline constexpr int kExitSucceeded = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

class StatusFrame {
 public:
  struct Options {
    std::string caption;    // the tool's short word ("Kinet"): the title of every message
    std::string banner;     // the second line: program name, purpose and version
    ReportSwitches report;  // where the completion report goes, and close-when-done
  };

  // Opens the frame on the face the platform chooses (a window or the terminal, see
  // platform::OpenStatusFace) with the process's own terminal. Never fails: without a window
  // the terminal face is used.
  static std::unique_ptr<StatusFrame> Open(const Options& options);

  // A frame on a given face and console (tests, or a tool that always wants the terminal).
  // `console` may be null when `face` needs none; the frame owns both.
  StatusFrame(const Options& options, std::unique_ptr<platform::Console> console,
              std::unique_ptr<platform::StatusFace> face);
  // Finishes as failed when the tool did not call Finish.
  ~StatusFrame();
  StatusFrame(const StatusFrame&) = delete;
  StatusFrame& operator=(const StatusFrame&) = delete;

  // Shows the face if hidden, sets the status line, and pumps.
  void SetStatus(std::string_view text);
  const std::string& status() const { return status_; }
  // Shows the progress bar: `done` of `total` steps after `elapsed_ms` of work (for the time
  // left). The status texts stay as they are; the terminal face shows no bar.
  void SetProgress(uint64_t done, uint64_t total, uint32_t elapsed_ms);
  const std::string& caption() const { return options_.caption; }

  // A message box titled with the caption; returns when dismissed, then pumps.
  void ShowMessage(platform::MessageIcon icon, std::string_view text);
  void ShowError(std::string_view text) { ShowMessage(platform::MessageIcon::kError, text); }
  void ShowInformation(std::string_view text) {
    ShowMessage(platform::MessageIcon::kInformation, text);
  }
  // The usage: the boxes one after the other, all but the last with the error icon, the last
  // with the information icon (a single box gets the information icon). Sets the error flag.
  // With `not_understood` (what the tool could not read, see SwitchLine::NotUnderstood) the
  // usage starts with "Not understood: " and that word, so a long usage names the fault.
  void ShowUsage(std::span<const std::string_view> boxes, std::string_view not_understood = {});

  // A yes/no question titled with the caption; "No" is the default button unless
  // `default_no` is false. The status line then shows the question and " Yes." or " No.".
  bool Ask(std::string_view question, bool default_no = true);

  // Whether the tool may write `path` of `files`: true when nothing exists under that name;
  // otherwise asks as ConfirmOverwrite does.
  bool AskOverwrite(platform::FileSystem& files, const std::string& path);
  // Asks "File <path> exists, overwrite?" with "No" as the default, for a name known to exist.
  bool ConfirmOverwrite(const std::string& path);

  // Handles whatever the user did since the last look (cancel requests, a restored window),
  // without waiting.
  void Pump();

  // The run's sticky error flag: set by SetError, ShowUsage and a confirmed cancel.
  bool error() const { return error_; }
  void SetError() { error_ = true; }
  // True once the user confirmed a cancel.
  bool cancelled() const { return cancelled_; }
  // For a tool whose own window takes the events (a player): only the terminal is asked.
  // True once Ctrl-C or a termination request came, which cancels the run at once (its error
  // flag set, without a question).
  bool TakeInterrupt();

  // Ends the run: sends the completion report (CompletionText) to the report channel if one
  // was named and listens; then, unless close-when-done was asked, when the run succeeded
  // and a window is shown, turns the button into "&Done" and waits for the user to press it
  // or close the window; then closes the face. A run with the error flag set counts as
  // failed. Returns the exit status (kExitSucceeded, kExitFailed or kExitUsage). Only the
  // first call acts; later calls return the same status.
  int Finish(RunOutcome outcome);

  // The completion report's text: caption, " - ", banner, "\r\n  ", status line.
  std::string CompletionText() const;

 private:
  void HandleEvents(const platform::FaceEvents& events);

  Options options_;
  std::unique_ptr<platform::Console> console_;  // outlives face_, which may use it
  std::unique_ptr<platform::StatusFace> face_;
  std::string status_ = "Loading...";
  bool error_ = false;
  bool cancelled_ = false;
  bool cancelled_or_finished_ = false;
  bool face_closed_ = false;
  int clicks_ = 0;
  std::optional<int> exit_status_;
};

}  // namespace kinet::toolkit
