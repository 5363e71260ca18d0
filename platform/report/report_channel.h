// The report channel: how a tool tells the program that started it how its run went.
//
// The starter listens on a channel named by a number and passes "/#<number>" to the tool. The
// channel is a Unix-domain stream socket at ReportSocketPath(number). A sender connects, sends
// one message and closes:
//   id      32-bit little-endian (kReportCompletion, kReportRestored or kReportOwnerQuery)
//   length  32-bit little-endian, the number of payload bytes that follow
//   payload the bytes (a completion report is its text with the terminating NUL)
// For kReportOwnerQuery the receiver then writes a 32-bit little-endian answer.
// A channel "is a window" (exists) when its socket accepts a connection.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kinet::platform {

// The completion report: caption, " - ", banner, "\r\n  ", final status text, NUL.
inline constexpr uint32_t kReportCompletion = 4660;
// A tool's status window was restored from its minimised state; empty payload.
inline constexpr uint32_t kReportRestored = 2304;
// The script player asks whether it may use the receiver as its owner; answered.
inline constexpr uint32_t kReportOwnerQuery = 10019;

// Largest payload a receiver accepts; longer messages are dropped unread.
inline constexpr uint32_t kMaxReportPayload = 1 << 20;

// "$XDG_RUNTIME_DIR/kinetor-report-<number>.sock", or under /tmp when XDG_RUNTIME_DIR is unset
// or empty.
std::string ReportSocketPath(uint32_t number);

// True when something listens on channel `number` and accepts a connection.
bool ReportChannelExists(uint32_t number);

// Sends one message to channel `number`. Returns false when nobody listens, the receiver does
// not take the connection or the bytes within about 2 seconds, or the message could not be
// written completely. Never raises SIGPIPE.
[[nodiscard]] bool SendReport(uint32_t number, uint32_t id, std::string_view payload);

// Sends a message that is answered (kReportOwnerQuery) and waits up to `timeout_ms` for the
// answer. Returns nullopt when nobody listens, the receiver closes without answering, or the
// time runs out.
std::optional<uint32_t> QueryReport(uint32_t number, uint32_t id, std::string_view payload,
                                    int timeout_ms);

struct ReportMessage {
  uint32_t id = 0;
  std::string payload;  // as sent, including a completion report's NUL
};

// The receiving end, owned by the program that starts tools. Move-only; closing it (or
// destroying it) removes the socket file.
class ReportListener {
 public:
  // Listens on channel `number`. Fails (nullopt) when another live listener holds the number
  // or the socket cannot be made; a stale socket file left by a dead listener is replaced.
  static std::optional<ReportListener> Open(uint32_t number);

  ReportListener(ReportListener&& other) noexcept;
  ReportListener& operator=(ReportListener&& other) noexcept;
  ReportListener(const ReportListener&) = delete;
  ReportListener& operator=(const ReportListener&) = delete;
  ~ReportListener();

  uint32_t number() const { return number_; }

  // Waits up to `timeout_ms` (negative: without limit) for the next complete message.
  // A query (kReportOwnerQuery) is answered with answer(message), or 0 without `answer`.
  // Connections that close without a whole message (existence checks, broken senders) are
  // skipped. Returns nullopt when the time runs out.
  std::optional<ReportMessage> Receive(
      int timeout_ms, const std::function<uint32_t(const ReportMessage&)>& answer = {});

 private:
  ReportListener(int fd, uint32_t number) : fd_(fd), number_(number) {}
  void Close();

  int fd_ = -1;
  uint32_t number_ = 0;
};

}  // namespace kinet::platform
