#include "platform/status_window/terminal_face.h"

#include <cctype>

namespace kinet::platform {
namespace {

// Message texts use CR LF line ends; a terminal wants LF.
std::string TerminalText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  if (out.empty() || out.back() != '\n') out += '\n';
  return out;
}

}  // namespace

void TerminalFace::EndLine() {
  if (line_open_) console_.WriteError("\n");
  if (line_held_) console_.WriteError(last_line_ + "\n");
  line_open_ = line_held_ = false;
}

void TerminalFace::SetStatus(std::string_view text) {
  if (text == last_line_) return;
  last_line_ = text;
  if (console_.ErrorIsTerminal()) {
    console_.WriteError("\r" + last_line_ + "\x1b[K");
    line_open_ = true;
    return;
  }
  // A log gets a line per interval, not per frame; a held line is written before any other
  // output, so the log always ends with the last status.
  const uint32_t now = clock_.NowMs();
  line_held_ = logged_any_ && now - logged_at_ms_ < kLogLineIntervalMs;
  line_logged_last_ = !line_held_;
  if (line_held_) return;
  console_.WriteError(last_line_ + "\n");
  logged_any_ = true;
  logged_at_ms_ = now;
}

void TerminalFace::ShowMessage(MessageIcon, std::string_view, std::string_view text) {
  const std::string message = TerminalText(text);
  // A message repeating the status line that stands just before it is said once.
  if (message == last_line_ + "\n") {
    if (line_open_) {
      console_.WriteError("\n");
    } else if (!line_logged_last_) {
      console_.WriteError(message);
    }
    line_open_ = line_held_ = false;
  } else {
    EndLine();
    console_.WriteError(message);
  }
  line_logged_last_ = logged_any_ = false;  // the next status line follows at once
  last_line_.clear();
}

bool TerminalFace::AskYesNo(std::string_view, std::string_view question, bool default_no) {
  EndLine();
  line_logged_last_ = logged_any_ = false;
  if (!console_.CanAsk()) {
    last_line_ = std::string(question) + (default_no ? " No." : " Yes.");
    console_.WriteError(last_line_ + "\n");
    return !default_no;
  }
  console_.WriteError(std::string(question) + (default_no ? " [y/N] " : " [Y/n] "));
  std::optional<std::string> answer = console_.ReadAnswer();
  last_line_.clear();
  if (!answer) {
    console_.WriteError("\n");
    return !default_no;
  }
  size_t first = answer->find_first_not_of(" \t");
  if (first == std::string::npos) return !default_no;
  return std::tolower(static_cast<unsigned char>((*answer)[first])) == 'y';
}

FaceEvents TerminalFace::Pump() {
  FaceEvents events;
  events.close_requests = console_.TakeInterrupts();
  events.confirmed = events.close_requests > 0 && !console_.CanAsk();
  return events;
}

}  // namespace kinet::platform
