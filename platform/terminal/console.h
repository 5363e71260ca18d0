// The terminal a tool runs in: its error stream, answers typed by the user, and Ctrl-C.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kinet::platform {

class Console {
 public:
  virtual ~Console() = default;
  // True when the error stream is a terminal, so a progress line can be rewritten in place.
  virtual bool ErrorIsTerminal() const = 0;
  // True when answers can be read from a terminal (standard input is one).
  virtual bool CanAsk() const = 0;
  // Writes `text` to the error stream as it is.
  virtual void WriteError(std::string_view text) = 0;
  // One line typed by the user, without its line end; nullopt at the end of input.
  virtual std::optional<std::string> ReadAnswer() = 0;
  // The number of interrupts (Ctrl-C, SIGINT) and termination requests (SIGTERM) since the
  // last call, and clears them. A second SIGTERM ends the program at once.
  virtual int TakeInterrupts() = 0;
};

// The process's own terminal: stderr and stdin. The first console that lives catches SIGINT
// and SIGTERM for as long as it lives (the previous handlers are restored afterwards); a console
// opened while another lives sees no interrupts. Never returns nullptr.
std::unique_ptr<Console> OpenSystemConsole();

}  // namespace kinet::platform
