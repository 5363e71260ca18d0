#include "sample_animation.h"

#include <cmath>

namespace kinet::sample {

namespace {

// Indices 0-127: a sky ramp; 128-191: the ball's shades; 192-255: stripe colours.
void FillPalette(AnimationFrame& frame, double warmth) {
  for (int i = 0; i < 128; ++i) {
    frame.palette[3 * i] = static_cast<uint8_t>(40 + i * warmth);
    frame.palette[3 * i + 1] = static_cast<uint8_t>(60 + i);
    frame.palette[3 * i + 2] = static_cast<uint8_t>(120 + i);
  }
  for (int i = 0; i < 64; ++i) {
    frame.palette[3 * (128 + i)] = static_cast<uint8_t>(128 + 2 * i);
    frame.palette[3 * (128 + i) + 1] = static_cast<uint8_t>(2 * i);
    frame.palette[3 * (128 + i) + 2] = static_cast<uint8_t>(i);
    frame.palette[3 * (192 + i)] = static_cast<uint8_t>(4 * i);
    frame.palette[3 * (192 + i) + 1] = static_cast<uint8_t>(200);
    frame.palette[3 * (192 + i) + 2] = static_cast<uint8_t>(255 - 4 * i);
  }
}

}  // namespace

std::vector<AnimationFrame> BouncingBall(uint32_t width, uint32_t height, uint32_t frames) {
  std::vector<AnimationFrame> out(frames);
  const double radius = std::max(4.0, std::min(width, height) / 8.0);
  for (uint32_t f = 0; f < frames; ++f) {
    AnimationFrame& frame = out[f];
    FillPalette(frame, f < frames / 2 ? 0.5 : 1.5);
    frame.pixels.resize(size_t{width} * height);
    const double t = frames > 1 ? double(f) / (frames - 1) : 0;
    const double cx = radius + (width - 2 * radius) * t;
    const double cy = radius + (height - 2 * radius) * std::fabs(std::sin(t * 3 * M_PI));
    for (uint32_t y = 0; y < height; ++y) {
      for (uint32_t x = 0; x < width; ++x) {
        uint8_t& p = frame.pixels[size_t{y} * width + x];
        p = static_cast<uint8_t>(y * 127 / std::max(1u, height - 1));
        // Stripes in the lowest eighth drift right by two pixels a frame.
        if (y >= height - height / 8 && ((x + 2 * f) / 8) % 2) p = static_cast<uint8_t>(192 + (y % 64));
        const double dx = x - cx, dy = y - cy, d = std::sqrt(dx * dx + dy * dy);
        if (d < radius) p = static_cast<uint8_t>(128 + 63 * (1 - d / radius));
      }
    }
  }
  return out;
}

}  // namespace kinet::sample
