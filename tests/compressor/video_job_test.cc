// Both passes through the temporary file: the written file decodes to the encoder's own
// reconstruction, the temporary file goes away, and failures leave no output behind.
#include "compressor/video_job.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/memory_file_system.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/encode_fixtures.h"
#include "tools/kntsample/sample_animation.h"

namespace kinet {
namespace {

namespace fs = std::filesystem;

struct Packed {
  encoder::PackStatus status = encoder::PackStatus::kOk;
  std::vector<std::vector<uint8_t>> reconstructions;
  uint64_t bytes = 0;
};

// Packs `frames` (plus frame 0 again with `ring`) into `path`, cancelling before frame
// `cancel_at` of the compression pass when given.
Packed Pack(const std::string& path, const std::vector<encoder::AnimationFrame>& frames,
            const encoder::EncoderSettings& s, bool ring, uint32_t cancel_at = UINT32_MAX) {
  Packed out;
  auto job = encoder::VideoJob::Create(platform::SystemFileSystem(), s,
                                       fs::path(path).parent_path().string(), &out.status);
  if (!job) return out;
  const size_t records = frames.size() + (ring ? 1 : 0);
  auto picture = [&](size_t i) {
    const encoder::AnimationFrame& f = frames[i % frames.size()];
    return encoder::FramePicture{f.pixels.data(), f.palette.data(), f.pixels.size()};
  };
  for (size_t i = 0; i < records; ++i) {
    const encoder::FramePicture next = picture(i + 1);
    EXPECT_EQ(job->AddFrame(picture(i), i + 1 < records ? &next : nullptr),
              encoder::PackStatus::kOk);
    out.reconstructions.push_back(job->encoder().reconstruction());
  }
  encoder::VideoFileSettings file{s.width, s.height, -6666, ring ? KINET_FLAG_RING_FRAME : 0u,
                                  static_cast<uint32_t>(records)};
  out.status = job->Write(
      path, file, [&](uint32_t i) { return i == cancel_at; }, &out.bytes);
  return out;
}

size_t FilesIn(const std::string& dir) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(VideoJob, WrittenFileDecodesToTheReconstructionAndTheTemporaryFileGoes) {
  const auto ball = sample::BouncingBall(160, 120, 16);
  const std::string path = testing::FreshTempPath("ball.knt");
  for (int32_t rate : {0, 50, 25000}) {
    Packed packed = Pack(path, ball, testing::SettingsFor(160, 120, rate, 0), true);
    ASSERT_EQ(packed.status, encoder::PackStatus::kOk);
    EXPECT_EQ(packed.bytes, fs::file_size(path));
    EXPECT_EQ(testing::DecodeAll(path), packed.reconstructions) << rate;
    EXPECT_EQ(FilesIn(fs::path(path).parent_path().string()), 1u);  // only the output
  }
  // The same through the in-memory path of the encoder tests: the same bytes.
  const std::string direct = testing::TempPath("direct.knt");
  testing::EncodeClip(direct, ball, testing::SettingsFor(160, 120, 25000, 0), true);
  EXPECT_EQ(testing::ReadWholeFile(direct), testing::ReadWholeFile(path));
}

TEST(VideoJob, CancelledRunLeavesAnEarlierFileUntouched) {
  const auto ball = sample::BouncingBall(64, 48, 6);
  const std::string path = testing::FreshTempPath("keep.knt");
  testing::WriteWholeFile(path, {1, 2, 3});
  Packed packed = Pack(path, ball, testing::SettingsFor(64, 48, 0, 0), false, 3);
  EXPECT_EQ(packed.status, encoder::PackStatus::kCancelled);
  EXPECT_EQ(testing::ReadWholeFile(path), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(FilesIn(fs::path(path).parent_path().string()), 1u);
}

TEST(VideoJob, FullTreeWithoutThreeFreeMarkersIsAComplexityError) {
  // Two key frames whose full blocks hold every one of the 65536 pixel pairs: no symbol value
  // is left over for the three markers, which the reader needs.
  constexpr uint32_t w = 512, h = 128;
  std::vector<encoder::AnimationFrame> frames(2);
  for (uint32_t f = 0; f < 2; ++f) {
    frames[f].pixels.resize(size_t{w} * h);
    for (uint32_t i = 0; i < w * h / 2; ++i) {
      const uint32_t pair = f * (w * h / 2) + i;
      frames[f].pixels[2 * i] = static_cast<uint8_t>(pair);
      frames[f].pixels[2 * i + 1] = static_cast<uint8_t>(pair >> 8);
    }
    for (int c = 0; c < 256; ++c) {
      frames[f].palette[3 * c] = static_cast<uint8_t>(c);
      frames[f].palette[3 * c + 1] = static_cast<uint8_t>(c * 7);
      frames[f].palette[3 * c + 2] = static_cast<uint8_t>(c * 13);
    }
  }
  encoder::EncoderSettings s = testing::SettingsFor(w, h, 0, 0);
  s.min_key_distance = 1;
  const std::string path = testing::FreshTempPath("complex.knt");
  Packed packed = Pack(path, frames, s, false);
  EXPECT_EQ(packed.status, encoder::PackStatus::kTooComplex);
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(FilesIn(fs::path(path).parent_path().string()), 0u);
}

// The run file has no name from the start: a run killed half way leaves nothing of it, though
// it holds the runs of every frame analysed.
TEST(VideoJob, TheRunFileHasNoNameWhileItHoldsTheRuns) {
  platform::MemoryFileSystem files;
  ASSERT_TRUE(files.MakeDirectory("/out"));
  const auto ball = sample::BouncingBall(64, 48, 3);
  encoder::PackStatus status = encoder::PackStatus::kOk;
  auto job = encoder::VideoJob::Create(files, testing::SettingsFor(64, 48, 0, 0), "/out", &status);
  ASSERT_TRUE(job);
  for (const auto& f : ball)
    ASSERT_EQ(job->AddFrame({f.pixels.data(), f.palette.data(), f.pixels.size()}, nullptr),
              encoder::PackStatus::kOk);
  EXPECT_TRUE(files.AllFiles().empty());
  EXPECT_GT(files.used_bytes(), 3 * 64 * 48 / 16);
  job.reset();
  EXPECT_EQ(files.used_bytes(), 0);
}

}  // namespace
}  // namespace kinet
