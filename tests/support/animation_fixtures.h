// Synthetic animations for playback tests: what was written, and how to read it back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "compressor/animation_writer.h"
#include "kinet/kinet.h"

namespace kinet::testing {

// A background of solid and two-colour areas and noise, with a sprite moving across it; the
// palette changes at `palette_change_frame` (none when 0).
std::vector<encoder::AnimationFrame> SpriteAnimation(uint32_t width, uint32_t height,
                                                     uint32_t frames,
                                                     uint32_t palette_change_frame = 0);

// A fresh path in the test's temporary folder.
std::string TempPath(const std::string& name);

// Writes the animation and returns its path (the test fails when writing fails).
std::string WriteTestFile(const std::string& name, const encoder::AnimationSettings& settings,
                          const std::vector<encoder::AnimationFrame>& frames);

// The sample animation (a ball bouncing over a sky) at 66 ms per frame, as the bytes of a
// video file (the test fails when writing fails).
std::string BouncingBallFile(uint32_t width, uint32_t height, uint32_t frames);

// The palette a player shows for a stored one: each component keeps its top 6 bits.
std::array<uint8_t, 768> ShownPalette(const std::array<uint8_t, 768>& palette);

// Decodes the current frame into a buffer of the picture's own size and returns the buffer.
std::vector<uint8_t> DecodeCurrent(KinetHandle* h, std::vector<uint8_t>& buffer);

std::vector<uint8_t> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace kinet::testing
