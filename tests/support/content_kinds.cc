#include "tests/support/content_kinds.h"

#include <cmath>

namespace kinet::testing {

namespace {

struct Random {
  uint32_t seed;
  uint32_t Next() {
    seed = seed * 1103515245u + 12345u;
    return seed >> 16;
  }
};

// An earthy ramp: neighbouring indices are neighbouring colours, as in a quantized photograph.
std::array<uint8_t, 768> NaturalPalette() {
  std::array<uint8_t, 768> p{};
  for (int i = 0; i < 256; ++i) {
    p[3 * i] = static_cast<uint8_t>(i);
    p[3 * i + 1] = static_cast<uint8_t>(40 + i * 3 / 4);
    p[3 * i + 2] = static_cast<uint8_t>(255 - i * 3 / 5);
  }
  return p;
}

// A smooth landscape of hills and shading, x and y in pixels of a picture of any size.
int Landscape(int x, int y) {
  const double v = 118 + 55 * std::sin(x / 37.0 + std::cos(y / 53.0)) +
                   40 * std::cos(y / 29.0 - x / 71.0) + 20 * std::sin((x + y) / 13.0);
  return static_cast<int>(v);
}

uint8_t Clamp(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// A picture of the landscape seen from `pan` pixels to the right, under grain of +-`grain`.
void Natural(std::vector<uint8_t>& p, uint32_t w, uint32_t h, int pan, int grain, Random& r) {
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) {
      const int noise = grain > 0 ? static_cast<int>(r.Next() % (2 * grain + 1)) - grain : 0;
      p[size_t{y} * w + x] =
          Clamp(Landscape(static_cast<int>(x) + pan, static_cast<int>(y)) + noise);
    }
}

// Squares of shaded detail moving across the picture.
void Sprites(std::vector<uint8_t>& p, uint32_t w, uint32_t h, uint32_t f, int count, int size) {
  for (int s = 0; s < count; ++s) {
    const uint32_t sx = (s * 97 + f * (3 + s)) % (w - size), sy = (s * 53 + f * 2) % (h - size);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        p[(sy + y) * w + sx + x] = static_cast<uint8_t>(100 + ((x * y + s * 7 + x / 3) & 63));
  }
}

// Flat regions with dark outlines: sky, ground, houses, and round figures that walk by.
void Cartoon(std::vector<uint8_t>& p, uint32_t w, uint32_t h, uint32_t f) {
  auto put = [&](int x, int y, uint8_t c) {
    if (x >= 0 && y >= 0 && x < static_cast<int>(w) && y < static_cast<int>(h))
      p[size_t(y) * w + x] = c;
  };
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) p[size_t{y} * w + x] = y < h * 3 / 5 ? 200 : 60;
  for (int house = 0; house < 4; ++house) {
    const int x0 = 40 + house * static_cast<int>(w) / 4, y0 = static_cast<int>(h) * 2 / 5;
    for (int y = y0; y < y0 + 100; ++y)
      for (int x = x0; x < x0 + 90; ++x)
        put(x, y, x == x0 || y == y0 || x == x0 + 89 || y == y0 + 99 ? 0 : 90 + 20 * house);
  }
  for (int fig = 0; fig < 3; ++fig) {
    const int cx = static_cast<int>((f * (4 + fig) + fig * 200) % (w + 80)) - 40;
    const int cy = static_cast<int>(h) * 3 / 4 - fig * 30, rad = 24 + fig * 6;
    for (int y = -rad; y <= rad; ++y)
      for (int x = -rad; x <= rad; ++x) {
        const int d = x * x + y * y;
        if (d <= rad * rad) put(cx + x, cy + y, d > (rad - 2) * (rad - 2) ? 0 : 150 + 30 * fig);
      }
  }
}

}  // namespace

ContentSize SizeOf(ContentKind kind) {
  switch (kind) {
    case ContentKind::kGrainy:
    case ContentKind::kSprites:
      return {320, 240};
    case ContentKind::kStill:
    case ContentKind::kCartoon:
      return {640, 480};
    case ContentKind::kBig:
      return {1280, 720};
  }
  return {320, 240};
}

std::string NameOf(ContentKind kind) {
  switch (kind) {
    case ContentKind::kGrainy:
      return "grainy";
    case ContentKind::kSprites:
      return "sprites";
    case ContentKind::kStill:
      return "still";
    case ContentKind::kCartoon:
      return "cartoon";
    case ContentKind::kBig:
      return "big";
  }
  return "";
}

std::vector<encoder::AnimationFrame> MakeContent(ContentKind kind, uint32_t frames) {
  const auto [w, h] = SizeOf(kind);
  std::vector<encoder::AnimationFrame> clip(frames);
  Random random{1};
  std::vector<uint8_t> background(size_t{w} * h);
  Natural(background, w, h, 0, kind == ContentKind::kGrainy ? 0 : 3, random);
  for (uint32_t f = 0; f < frames; ++f) {
    auto& p = clip[f].pixels;
    clip[f].palette = NaturalPalette();
    p = background;
    switch (kind) {
      case ContentKind::kGrainy:
        Natural(p, w, h, static_cast<int>(f), 6, random);
        break;
      case ContentKind::kSprites:
        Sprites(p, w, h, f, 8, 40);
        break;
      case ContentKind::kStill:
        break;
      case ContentKind::kCartoon:
        Cartoon(p, w, h, f);
        break;
      case ContentKind::kBig:
        Sprites(p, w, h, f, 6, 128);
        break;
    }
  }
  return clip;
}

}  // namespace kinet::testing
