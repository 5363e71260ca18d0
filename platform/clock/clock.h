// The millisecond clock and local time. Waiting code asks the clock to sleep instead of sleeping
// itself, so tests use a ManualClock whose time moves only when someone sleeps on it.
#pragma once

#include <cstdint>
#include <ctime>

namespace kinet::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; wraps after 2^32.
  virtual uint32_t NowMs() = 0;
  // Gives up the processor for about `ms` milliseconds (0: just yields).
  virtual void SleepMs(uint32_t ms) = 0;
  // The current local calendar time.
  virtual std::tm LocalTime() = 0;
};

// The system's monotonic clock and local time zone. Lives for the whole program.
Clock& SystemClock();

// A clock for tests: starts at `start_ms` and at the given calendar time, and advances only
// in SleepMs (or Advance).
class ManualClock : public Clock {
 public:
  explicit ManualClock(uint32_t start_ms = 1000) : now_(start_ms) {}
  uint32_t NowMs() override { return now_; }
  void SleepMs(uint32_t ms) override { now_ += ms ? ms : 1; }
  std::tm LocalTime() override { return local_; }
  void Advance(uint32_t ms) { now_ += ms; }
  void SetLocalTime(const std::tm& local) { local_ = local; }

 private:
  uint32_t now_;
  std::tm local_{};
};

}  // namespace kinet::platform
