// A terminal for tests: what is written to it, answers typed from a list, and interrupts.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/terminal/console.h"

namespace kinet::platform {

class ScriptedConsole : public Console {
 public:
  ScriptedConsole(bool tty_err, bool can_ask) : tty_err_(tty_err), can_ask_(can_ask) {}
  bool ErrorIsTerminal() const override { return tty_err_; }
  bool CanAsk() const override { return can_ask_; }
  void WriteError(std::string_view text) override { written += text; }
  std::optional<std::string> ReadAnswer() override {
    if (answers.empty()) return std::nullopt;
    std::string a = answers.front();
    answers.pop_front();
    return a;
  }
  int TakeInterrupts() override { return std::exchange(interrupts, 0); }

  std::string written;
  std::deque<std::string> answers;
  int interrupts = 0;

 private:
  bool tty_err_;
  bool can_ask_;
};

}  // namespace kinet::platform
