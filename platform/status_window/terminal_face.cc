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
  if (!line_open_) return;
  console_.WriteError("\n");
  line_open_ = false;
}

void TerminalFace::SetStatus(std::string_view text) {
  if (text == last_line_) return;
  last_line_ = text;
  if (console_.ErrorIsTerminal()) {
    console_.WriteError("\r" + last_line_ + "\x1b[K");
    line_open_ = true;
  } else {
    console_.WriteError(last_line_ + "\n");
  }
}

void TerminalFace::ShowMessage(MessageIcon, std::string_view, std::string_view text) {
  EndLine();
  console_.WriteError(TerminalText(text));
  last_line_.clear();
}

bool TerminalFace::AskYesNo(std::string_view, std::string_view question, bool default_no) {
  EndLine();
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
