// The terminal face: the status text as a progress line on the error stream (rewritten in place
// on a terminal; piped or logged, a run of status lines gets a line at most every two seconds,
// and its last one before anything else is written), messages on the error stream, questions
// asked on the terminal, Ctrl-C as a cancel request.
#pragma once

#include <string>

#include "platform/clock/clock.h"
#include "platform/status_window/status_face.h"
#include "platform/terminal/console.h"

namespace kinet::platform {

class TerminalFace : public StatusFace {
 public:
  // How often a status line is written when the error stream is no terminal.
  static constexpr uint32_t kLogLineIntervalMs = 2000;

  // `console` and `clock` must outlive the face.
  explicit TerminalFace(Console& console, Clock& clock = SystemClock())
      : console_(console), clock_(clock) {}
  ~TerminalFace() override { EndLine(); }

  void SetStatus(std::string_view text) override;
  void ShowMessage(MessageIcon icon, std::string_view title, std::string_view text) override;
  // Without a terminal to answer on, prints the question with the default answer.
  bool AskYesNo(std::string_view title, std::string_view question, bool default_no) override;
  // Ctrl-C gives a close request; confirmed when there is no terminal to ask on.
  FaceEvents Pump() override;
  FaceEvents Wait(int timeout_ms) override { return Pump(); }
  void SetButtonDone() override {}
  bool CanWaitForDone() const override { return false; }
  void Close() override { EndLine(); }

 private:
  // Ends a progress line that is being rewritten in place, or writes the status line held back
  // from a log, so other output starts clean.
  void EndLine();

  Console& console_;
  Clock& clock_;
  std::string last_line_;          // the last status text, so an unchanged text is not repeated
  bool line_open_ = false;         // on a terminal: last_line_ stands on the open line
  bool line_held_ = false;         // in a log: last_line_ is not written yet
  bool line_logged_last_ = false;  // in a log: last_line_ is the last thing written
  bool logged_any_ = false;        // in a log: a status line was written, at logged_at_ms_
  uint32_t logged_at_ms_ = 0;
};

}  // namespace kinet::platform
