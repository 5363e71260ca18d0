#include "platform/audio/channel_gains.h"

#include <algorithm>
#include <cmath>

namespace kinet::platform {

namespace {

uint32_t FromCentibels(int32_t cb) {
  return static_cast<uint32_t>(std::lround(65536.0 * std::pow(10.0, cb / 2000.0)));
}

int32_t ScaleSample(int32_t v, uint32_t gain) {
  return static_cast<int32_t>((int64_t{v} * gain) >> 16);
}

}  // namespace

ChannelGains PolledGains(uint32_t volume, uint32_t pan) {
  volume = std::min<uint32_t>(volume, 0xFFFF);
  pan = std::min<uint32_t>(pan, 0x10000);
  uint32_t left = volume, right = volume;
  if (pan < 0x8000) right = volume * pan / 0x8000;
  if (pan > 0x8000) left = volume * (0x10000 - pan) / 0x8000;
  // The device's full scale is 0xFFFF.
  auto gain = [](uint32_t v) { return static_cast<uint32_t>(uint64_t{v} * 65536 / 0xFFFF); };
  return {gain(left), gain(right)};
}

ChannelGains CallbackGains(uint32_t volume, uint32_t pan) {
  volume = std::min<uint32_t>(volume, 32768);
  pan = std::min<uint32_t>(pan, 65536);
  const int32_t level = static_cast<int32_t>((uint64_t{volume} * 100000 / 32768 + 5) / 10) - 10000;
  const int32_t balance = static_cast<int32_t>(uint64_t{pan} * 20000 / 65536) - 10000;
  return {FromCentibels(level - std::max(balance, 0)), FromCentibels(level + std::min(balance, 0))};
}

void ApplyGains(uint8_t* pcm, uint32_t bytes, const PcmFormat& format, ChannelGains gains) {
  if (gains.Unity()) return;
  const uint32_t mono = (gains.left + gains.right) / 2;
  const uint32_t sample_bytes = format.bits / 8;
  const uint32_t samples = bytes / sample_bytes;
  for (uint32_t i = 0; i < samples; ++i) {
    const uint32_t gain = format.channels == 1 ? mono : (i % 2 ? gains.right : gains.left);
    if (sample_bytes == 1) {
      pcm[i] = static_cast<uint8_t>(ScaleSample(pcm[i] - 128, gain) + 128);
    } else {
      uint8_t* p = pcm + 2 * i;
      const int32_t v = static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8));
      const uint16_t out = static_cast<uint16_t>(ScaleSample(v, gain));
      p[0] = static_cast<uint8_t>(out);
      p[1] = static_cast<uint8_t>(out >> 8);
    }
  }
}

}  // namespace kinet::platform
