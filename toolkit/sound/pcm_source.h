// A sound source of one input (kinds 1 to 3): reads the input in blocks, converts every frame
// to the output format, and ends cleanly when the input gives out before its stated length.
#pragma once

#include <memory>
#include <vector>

#include "toolkit/sound/rate_converter.h"
#include "toolkit/sound/sound_source.h"
#include "toolkit/sound/trimming.h"

namespace kinet::toolkit {

class PcmSource final : public SoundSource {
 public:
  // Bytes the input is read in.
  static constexpr size_t kReadBlock = 16384;

  // Delivers `range` of the input's sound (input bytes) in `output`. Call Start before reading.
  PcmSource(std::string name, SoundCallback callback, OpenedInput opened, SoundFormat output,
            ByteRange range);

  // Positions the input at the start of the range. False (and at its end) when that fails.
  [[nodiscard]] bool Start();

  size_t Read(uint8_t* out, size_t wanted) override;
  bool Rewind() override { return Start(); }

 private:
  // The next input frame as signed 16-bit values; false when fewer than a frame's bytes are
  // left in the buffer and the input.
  bool NextInput(StereoValue& value);
  void Refill();
  void Store(StereoValue value, uint8_t* out) const;

  std::unique_ptr<PcmInput> pcm_;
  uint64_t offset_;
  RateConverter converter_;
  std::vector<uint8_t> buffer_;
  size_t at_ = 0, end_ = 0;  // unread bytes of the buffer
};

}  // namespace kinet::toolkit
