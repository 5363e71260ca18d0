#include "tools/kntsample/sample_animation.h"

#include <cmath>

namespace kinet::sample {

namespace {

// The picture keeps off entries 0-9 and 246-255, which windowed displays reserve for the
// system colours. Entries from kSky: a sky ramp; from kBall: the ball's shades; from kStripes:
// stripe colours.
constexpr int kSky = 10, kSkyShades = 128, kBall = 138, kBallShades = 64, kStripes = 202,
              kStripeShades = 44;

void SetEntry(encoder::AnimationFrame& frame, int i, double r, double g, double b) {
  frame.palette[3 * i] = static_cast<uint8_t>(r);
  frame.palette[3 * i + 1] = static_cast<uint8_t>(g);
  frame.palette[3 * i + 2] = static_cast<uint8_t>(b);
}

void FillPalette(encoder::AnimationFrame& frame, double warmth) {
  for (int i = 0; i < kSkyShades; ++i) SetEntry(frame, kSky + i, 40 + i * warmth, 60 + i, 120 + i);
  for (int i = 0; i < kBallShades; ++i) SetEntry(frame, kBall + i, 128 + 2 * i, 2 * i, i);
  for (int i = 0; i < kStripeShades; ++i)
    SetEntry(frame, kStripes + i, 5.8 * i, 200, 255 - 5.8 * i);
}

}  // namespace

std::vector<encoder::AnimationFrame> BouncingBall(uint32_t width, uint32_t height,
                                                  uint32_t frames) {
  std::vector<encoder::AnimationFrame> out(frames);
  const double radius = std::max(4.0, std::min(width, height) / 8.0);
  for (uint32_t f = 0; f < frames; ++f) {
    encoder::AnimationFrame& frame = out[f];
    FillPalette(frame, f < frames / 2 ? 0.5 : 1.5);
    frame.pixels.resize(size_t{width} * height);
    const double t = frames > 1 ? double(f) / (frames - 1) : 0;
    const double cx = radius + (width - 2 * radius) * t;
    const double cy = radius + (height - 2 * radius) * std::fabs(std::sin(t * 3 * M_PI));
    for (uint32_t y = 0; y < height; ++y) {
      for (uint32_t x = 0; x < width; ++x) {
        uint8_t& p = frame.pixels[size_t{y} * width + x];
        p = static_cast<uint8_t>(kSky + y * (kSkyShades - 1) / std::max(1u, height - 1));
        // Stripes in the lowest eighth drift right by two pixels a frame.
        if (y >= height - height / 8 && ((x + 2 * f) / 8) % 2)
          p = static_cast<uint8_t>(kStripes + y % kStripeShades);
        const double dx = x - cx, dy = y - cy, d = std::sqrt(dx * dx + dy * dy);
        if (d < radius) p = static_cast<uint8_t>(kBall + (kBallShades - 1) * (1 - d / radius));
      }
    }
  }
  return out;
}

}  // namespace kinet::sample
