// Volume and pan as the two drivers apply them to the samples they hand to the device.
#pragma once

#include <cstdint>

#include "platform/audio/sound_driver.h"

namespace kinet::platform {

// Per-channel gain, 65536 = unchanged.
struct ChannelGains {
  uint32_t left = 65536, right = 65536;
  bool Unity() const { return left == 65536 && right == 65536; }
};

// The polled driver's rule: volume limited to 0xFFFF; a pan below the centre lowers the right
// channel to volume x pan / 0x8000, a pan above it the left channel to
// volume x (0x10000 - pan) / 0x8000; the other channel keeps the volume.
ChannelGains PolledGains(uint32_t volume, uint32_t pan);

// The callback driver's rule, in hundredths of a decibel: volume limited to 32768 and set as
// (volume x 100000 / 32768 + 5) / 10 - 10000 (32768 is 0 dB); pan as pan x 20000 / 65536 -
// 10000, lowering the right channel when negative and the left when positive.
ChannelGains CallbackGains(uint32_t volume, uint32_t pan);

// Scales `bytes` of PCM in place. Mono sound takes the mean of both gains.
void ApplyGains(uint8_t* pcm, uint32_t bytes, const PcmFormat& format, ChannelGains gains);

}  // namespace kinet::platform
