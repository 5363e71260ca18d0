// Generated clips of the kinds of content a player meets, for the decode and encode benchmarks,
// the format comparison and the data-rate tests: each kind at its usual size, made the same way
// every time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compressor/animation_writer.h"

namespace kinet::testing {

enum class ContentKind {
  kGrainy,   // natural-like picture under film grain: every block changes every frame, 320x240
  kSprites,  // sprites of detail moving over a still background, 320x240
  kStill,    // one still picture, 640x480
  kCartoon,  // flat areas of colour with outlines, moving, 640x480
  kBig,      // a slowly panning natural-like picture with a moving sprite, 1280x720
};

inline constexpr ContentKind kAllContentKinds[] = {ContentKind::kGrainy, ContentKind::kSprites,
                                                   ContentKind::kStill, ContentKind::kCartoon,
                                                   ContentKind::kBig};

struct ContentSize {
  uint32_t width, height;
};

ContentSize SizeOf(ContentKind kind);
// A short lower-case name: grainy, sprites, still, cartoon, big.
std::string NameOf(ContentKind kind);

// `frames` frames of the kind, at its size, with one palette throughout.
std::vector<encoder::AnimationFrame> MakeContent(ContentKind kind, uint32_t frames);

}  // namespace kinet::testing
