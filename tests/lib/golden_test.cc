// Golden video files: small files made once by our own encoder and kept, with the checksum of
// everything they decode to (every frame's pixels and palette, every sound record). A change
// in the decoder that alters what a stored file shows or sounds like fails here, even when
// encoder and decoder change together.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "kinet/kinet.h"

namespace kinet::testing {
namespace {

struct Golden {
  const char* name;
  uint32_t frames, width, height;  // as the handle reports them
  uint64_t checksum;
};

// exact.knt: kntsample /W64 /H48 /N10 (every block exact, a compressed 16-bit tune, a ring
// frame); rate.knt: kntsample /W160 /H96 /N16 /Q through kinetpackw /N40000; yhalf.knt: the
// same through kinetpackw /N30 /Y1 (stored at half height, shown doubled).
constexpr Golden kGolden[] = {
    {"exact.knt", 10, 64, 48, 4536571010838489743ull},
    {"rate.knt", 16, 160, 96, 487426593794755444ull},
    {"yhalf.knt", 16, 160, 96, 8242644660734545793ull},
};

void Mix(uint64_t& hash, const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 0x100000001b3ull;
}

// Decodes every frame, the ring frame included, and sums up what a player would show and play.
uint64_t DecodedChecksum(const std::string& path, uint32_t flags, const Golden& golden) {
  KinetHandle* h = KinetOpen(path.c_str(), flags | KINET_OPEN_TRACK(0), -1);
  if (!h) return 0;
  EXPECT_EQ(h->Frames, golden.frames);
  EXPECT_EQ(h->Width, golden.width);
  EXPECT_EQ(h->Height, golden.height);
  std::vector<uint8_t> picture(size_t{h->Width} * h->Height);
  std::vector<uint8_t> sound(h->AudioSize[0] + 4);
  KinetToBuffer(h, 0, 0, static_cast<int32_t>(h->Width), static_cast<int32_t>(h->Height),
                picture.data(), 0);
  uint64_t hash = 0xcbf29ce484222325ull;
  for (uint32_t f = 0; f <= golden.frames; ++f) {
    KinetDoFrame(h);
    Mix(hash, picture.data(), picture.size());
    Mix(hash, h->Palette, sizeof h->Palette);
    const uint32_t bytes = KinetGetTrackData(h, sound.data(), KINET_OPEN_TRACK(0));
    if (bytes != 0xFFFFFFFFu) Mix(hash, sound.data(), bytes);
    KinetNextFrame(h);
  }
  EXPECT_EQ(h->ReadError, 0u);
  KinetClose(h);
  return hash;
}

TEST(GoldenFiles, DecodeToTheirKnownChecksums) {
  for (const Golden& golden : kGolden) {
    const std::string path = std::string(KINET_GOLDEN_DIR) + "/" + golden.name;
    EXPECT_EQ(DecodedChecksum(path, 0, golden), golden.checksum) << golden.name << " read ahead";
    EXPECT_EQ(DecodedChecksum(path, KINET_OPEN_PRELOAD, golden), golden.checksum)
        << golden.name << " preloaded";
  }
}

}  // namespace
}  // namespace kinet::testing
