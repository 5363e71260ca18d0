// The terminal face: the status text as a progress line on the error stream (rewritten in place
// on a terminal, one line per change otherwise), messages on the error stream, questions asked
// on the terminal, Ctrl-C as a cancel request.
#pragma once

#include <string>

#include "platform/status_window/status_face.h"
#include "platform/terminal/console.h"

namespace kinet::platform {

class TerminalFace : public StatusFace {
 public:
  // `console` must outlive the face.
  explicit TerminalFace(Console& console) : console_(console) {}
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
  // Ends a progress line that is being rewritten in place, so other output starts clean.
  void EndLine();

  Console& console_;
  std::string last_line_;  // the last line shown, so an unchanged text is not repeated
  bool line_open_ = false;
};

}  // namespace kinet::platform
