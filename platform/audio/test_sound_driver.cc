#include "platform/audio/test_sound_driver.h"

#include <algorithm>
#include <utility>

namespace kinet::platform {

class TestSoundDriver::Stream : public SoundStream {
 public:
  Stream(TestSoundDriver& driver, std::shared_ptr<Log> log, SoundSource& source)
      : driver_(driver), log_(std::move(log)), source_(source), last_ms_(driver.clock_.NowMs()) {
    driver_.streams_.push_back(this);
  }
  ~Stream() override {
    std::erase(driver_.streams_, this);
    log_->open = false;
  }

  void Service() {
    Advance();
    if (log_->stopped) return;
    const uint64_t budget = uint64_t{log_->format.BytesPerSecond()} * driver_.device_ms_ / 1000;
    const uint64_t unplayed = taken_ - log_->played;
    if (unplayed >= budget) return;
    std::vector<uint8_t> bytes(budget - unplayed);
    const uint32_t n = source_.Take(bytes.data(), static_cast<uint32_t>(bytes.size()));
    log_->taken.insert(log_->taken.end(), bytes.begin(), bytes.begin() + n);
    taken_ += n;
  }

  uint64_t Position() override {
    Advance();
    return log_->played;
  }
  void Stop() override {
    Advance();
    ++log_->stops;
    log_->stopped = true;
    taken_ = log_->played;
  }
  bool Restart() override {
    ++log_->restarts;
    if (driver_.fail_restarts_) return false;
    log_->stopped = false;
    last_ms_ = driver_.clock_.NowMs();
    return true;
  }
  void SetVolumePan(uint32_t volume, uint32_t pan) override {
    log_->volume = volume;
    log_->pan = pan;
  }
  void Reset() override {
    ++log_->resets;
    taken_ = log_->played = 0;
    credit_ = 0;
    underrun_ = false;
  }
  bool TakeUnderrun() override {
    Advance();
    return std::exchange(underrun_, false);
  }

 private:
  // Plays what the clock allows since the last look.
  void Advance() {
    const uint32_t now = driver_.clock_.NowMs();
    const uint32_t elapsed = now - last_ms_;
    last_ms_ = now;
    if (log_->stopped || elapsed == 0) return;
    credit_ += uint64_t{elapsed} * log_->format.BytesPerSecond();
    const uint64_t frame = log_->format.FrameBytes();
    const uint64_t due = credit_ / 1000 / frame * frame;
    credit_ -= due * 1000;
    const uint64_t playable = taken_ - log_->played;
    if (due > playable && taken_ > 0) {
      // Ran dry: the time beyond the sound passes in silence.
      underrun_ = true;
      ++log_->underruns;
      credit_ = 0;
    }
    log_->played += std::min(due, playable);
  }

  TestSoundDriver& driver_;
  std::shared_ptr<Log> log_;
  SoundSource& source_;
  uint64_t taken_ = 0;   // bytes taken and not dropped since the last reset
  uint64_t credit_ = 0;  // byte-milliseconds not yet played
  uint32_t last_ms_;
  bool underrun_ = false;
};

std::unique_ptr<SoundStream> TestSoundDriver::Open(const PcmFormat& format, SoundSource& source) {
  if (fail_opens_ || format.rate < kLowestPlayedRate) return nullptr;
  auto log = std::make_shared<Log>();
  log->format = format;
  logs_.push_back(log);
  return std::make_unique<Stream>(*this, std::move(log), source);
}

void TestSoundDriver::Service() {
  ++services_;
  for (Stream* s : streams_) s->Service();
}

}  // namespace kinet::platform
