#include "tools/kntsample/sample_sound.h"

#include <cmath>

namespace kinet::sample {

std::vector<uint8_t> BounceTune(uint32_t rate, uint32_t ms) {
  // A rising scale, one note a third of a second, each with a quick attack and a slow decay.
  static constexpr double kScale[] = {261.63, 293.66, 329.63, 392.00, 440.00, 523.25};
  const uint64_t samples = uint64_t{rate} * ms / 1000;
  const uint64_t note_length = rate / 3;
  std::vector<uint8_t> out;
  out.reserve(samples * 2);
  for (uint64_t i = 0; i < samples; ++i) {
    const uint64_t note = i / note_length, at = i % note_length;
    const double t = double(at) / rate;
    const double envelope = std::min(1.0, t * 200) * std::exp(-t * 6);
    const double v = 9000 * envelope * std::sin(2 * M_PI * kScale[note % 6] * t);
    const auto sample = static_cast<int16_t>(v);
    out.push_back(static_cast<uint8_t>(sample & 0xFF));
    out.push_back(static_cast<uint8_t>((sample >> 8) & 0xFF));
  }
  return out;
}

}  // namespace kinet::sample
