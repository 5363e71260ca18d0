// Encoding animations held in memory with the frame encoder and reading them back with the
// playback library, for the compressor's tests.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "compressor/animation_writer.h"
#include "compressor/frame_encoder.h"

namespace kinet::testing {

struct EncodedClip {
  encoder::WriteStatus status = encoder::WriteStatus::kOk;
  std::vector<std::vector<uint8_t>> reconstructions;  // the encoder's own, per frame record
  std::vector<std::vector<uint32_t>> codes;
  std::vector<bool> key_frames, auto_keys;
};

// Encodes `frames` (and frame 0 again as a ring frame when `ring`) and writes them to `path`.
// The settings' width and height are taken from the frames' first picture size given.
EncodedClip EncodeClip(const std::string& path, const std::vector<encoder::AnimationFrame>& frames,
                       const encoder::EncoderSettings& settings, bool ring = false);

// A path in the test's temporary folder, emptied first: outputs of an earlier run of the
// test would otherwise stand in the way (and be counted).
std::string FreshTempPath(const std::string& name);

// The test's temporary folder.
std::string TempDirectory();

// Every frame record of a video file as the library decodes it (the ring frame included).
std::vector<std::vector<uint8_t>> DecodeAll(const std::string& path);

// Settings for a picture of the given size at a rate code, 15 frames per second.
encoder::EncoderSettings SettingsFor(uint32_t width, uint32_t height, int32_t rate,
                                     int32_t key_rate);

// Pixels of `a` that differ from `b`.
size_t DifferentPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);
// Pixels of `a` that show another colour than those of `b`, both shown with `palette`.
size_t DifferentColours(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b,
                        const std::array<uint8_t, 768>& palette);

}  // namespace kinet::testing
