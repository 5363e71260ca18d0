#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <iostream>

#include "platform/interrupts/interrupts.h"
#include "platform/terminal/console.h"

namespace kinet::platform {
namespace {

std::atomic<bool> g_console_open{false};

extern "C" void OnInterrupt(int) { CountInterrupt(); }

class SystemConsole : public Console {
 public:
  SystemConsole() : catches_signals_(!g_console_open.exchange(true)) {
    if (!catches_signals_) return;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // Calls are not restarted: one that waits (a sleep, a terminal read) returns, and the tool
    // sees the request.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, &old_int_);
    // A tool that does not stop after the first request can still be ended by a second.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGTERM, &action, &old_term_);
  }
  ~SystemConsole() override {
    if (!catches_signals_) return;
    sigaction(SIGINT, &old_int_, nullptr);
    sigaction(SIGTERM, &old_term_, nullptr);
    (void)platform::TakeInterrupts();
    g_console_open.store(false);
  }

  bool ErrorIsTerminal() const override { return isatty(STDERR_FILENO) == 1; }
  bool CanAsk() const override { return isatty(STDIN_FILENO) == 1; }

  void WriteError(std::string_view text) override {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
  }

  std::optional<std::string> ReadAnswer() override {
    std::string line;
    if (!std::getline(std::cin, line)) {
      std::cin.clear();
      return std::nullopt;
    }
    return line;
  }

  int TakeInterrupts() override { return catches_signals_ ? platform::TakeInterrupts() : 0; }

 private:
  bool catches_signals_;
  struct sigaction old_int_ {};
  struct sigaction old_term_ {};
};

}  // namespace

std::unique_ptr<Console> OpenSystemConsole() { return std::make_unique<SystemConsole>(); }

}  // namespace kinet::platform
