#include <time.h>

#include <chrono>
#include <thread>

#include "platform/clock/clock.h"

namespace kinet::platform {
namespace {

class SteadyClock : public Clock {
 public:
  uint32_t NowMs() override {
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
  }
  void SleepMs(uint32_t ms) override {
    if (ms == 0) {
      std::this_thread::yield();
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
  }
  std::tm LocalTime() override {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return local;
  }
};

}  // namespace

Clock& SystemClock() {
  static SteadyClock instance;
  return instance;
}

}  // namespace kinet::platform
