// kntthumb: its command line, the scaling, and thumbnails of generated video files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compressor/animation_writer.h"
#include "platform/files/memory_file_system.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/tool_runs.h"
#include "tools/kntthumb/thumbnail.h"

namespace kinet::thumb {
namespace {

std::optional<ThumbSettings> Read(std::vector<std::string> words) {
  return ReadThumbSettings(words);
}

TEST(ThumbSettings, TheThumbnailerEntrysLineAndItsVariants) {
  auto s = Read({"-s", "256", "in.knt", "out.png"});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->size, 256u);
  EXPECT_EQ(s->frame, 1u);
  EXPECT_EQ(s->input, "in.knt");
  EXPECT_EQ(s->output, "out.png");
  s = Read({"in.knt", "-s64", "-f", "7", "out.png"});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->size, 64u);
  EXPECT_EQ(s->frame, 7u);
  EXPECT_EQ(Read({"a.knt", "b.png"})->size, 128u);
  for (const auto& words : std::vector<std::vector<std::string>>{
           {"in.knt"}, {"in.knt", "out.png", "more"}, {"-s", "0", "a", "b"},
           {"-s", "5000", "a", "b"}, {"-s", "12x", "a", "b"}, {"-f", "0", "a", "b"},
           {"a", "b", "-s"}, {"-s", "-1", "a", "b"}})
    EXPECT_FALSE(Read(words)) << words[0] << " " << words[1];
}

TEST(ThumbSides, TheLongerSideFitsAndTheAspectStays) {
  EXPECT_EQ(ThumbSides(320, 200, 128).width, 128u);
  EXPECT_EQ(ThumbSides(320, 200, 128).height, 80u);
  EXPECT_EQ(ThumbSides(200, 320, 128).width, 80u);
  EXPECT_EQ(ThumbSides(200, 320, 128).height, 128u);
  // Small pictures are not enlarged; a thin one keeps one pixel.
  EXPECT_EQ(ThumbSides(64, 48, 128).width, 64u);
  EXPECT_EQ(ThumbSides(64, 48, 128).height, 48u);
  EXPECT_EQ(ThumbSides(4096, 3, 16).width, 16u);
  EXPECT_EQ(ThumbSides(4096, 3, 16).height, 1u);
}

TEST(ScalePicture, EachPixelIsTheAverageOfWhatItCovers) {
  std::array<uint8_t, 768> palette{};
  palette[3] = 200;      // 1: red 200
  palette[3 * 2 + 2] = 100;  // 2: blue 100
  // Left half red, right half blue but one black pixel.
  const std::vector<uint8_t> pixels = {1, 1, 2, 2,
                                       1, 1, 2, 0};
  const platform::Image out = ScalePicture(pixels, 4, 2, palette, {2, 1});
  ASSERT_EQ(out.bits, 24u);
  ASSERT_EQ(out.pixels.size(), 6u);
  EXPECT_EQ(out.pixels, (std::vector<uint8_t>{200, 0, 0, 0, 0, 75}));
}

// The palette of the colour frames: entry n, the colour of frame n.
std::array<uint8_t, 768> FramePalette(uint32_t count) {
  std::array<uint8_t, 768> palette{};
  for (uint32_t i = 1; i <= count; ++i) {
    palette[3 * i] = static_cast<uint8_t>(40 * i);
    palette[3 * i + 1] = static_cast<uint8_t>(255 - 40 * i);
  }
  return palette;
}

// The colour frame n shows, as decoded.
std::array<uint8_t, 3> FrameColour(uint32_t n, uint32_t count) {
  const auto shown = testing::ShownPalette(FramePalette(count));
  return {shown[3 * n], shown[3 * n + 1], shown[3 * n + 2]};
}

// Frames of one colour each (frame n in palette entry n), written into `files`.
void WriteColourFrames(platform::FileSystem& files, const std::string& path, uint32_t count) {
  std::vector<encoder::AnimationFrame> frames(count);
  for (uint32_t n = 0; n < count; ++n) {
    frames[n].pixels.assign(40 * 20, static_cast<uint8_t>(n + 1));
    frames[n].palette = FramePalette(count);
  }
  encoder::AnimationSettings settings;
  settings.width = 40;
  settings.height = 20;
  settings.frame_rate = 66;
  ASSERT_TRUE(platform::MakeDirectories(files, "/v"));
  ASSERT_EQ(encoder::WriteAnimation(files, path, settings, frames), encoder::WriteStatus::kOk);
}

// The colour of every pixel of the thumbnail, or nothing when it is not of one colour.
std::optional<std::array<uint8_t, 3>> OneColour(const platform::Image& image) {
  const std::array<uint8_t, 3> first = {image.pixels[0], image.pixels[1], image.pixels[2]};
  for (size_t i = 0; i < image.pixels.size(); i += 3)
    if (image.pixels[i] != first[0] || image.pixels[i + 1] != first[1] ||
        image.pixels[i + 2] != first[2])
      return std::nullopt;
  return first;
}

TEST(MakeThumbnail, TheChosenFrameAtTheSizeAsked) {
  platform::MemoryFileSystem files;
  ASSERT_NO_FATAL_FAILURE(WriteColourFrames(files, "/v/clip.knt", 4));
  ThumbSettings s;
  s.input = "/v/clip.knt";
  s.output = "/v/thumb.png";
  s.size = 20;
  s.frame = 3;
  ASSERT_EQ(MakeThumbnail(files, s), "");
  auto image = platform::ReadImageFile(files, platform::ImageFormat::kPng, s.output);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 20u);
  EXPECT_EQ(image->height, 10u);
  const auto colour = OneColour(*image);
  ASSERT_TRUE(colour);
  EXPECT_EQ(*colour, FrameColour(3, 4));

  // Past the end: the last frame.
  s.frame = 99;
  ASSERT_EQ(MakeThumbnail(files, s), "");
  image = platform::ReadImageFile(files, platform::ImageFormat::kPng, s.output);
  ASSERT_TRUE(image);
  EXPECT_EQ(OneColour(*image), FrameColour(4, 4));
}

TEST(MakeThumbnail, FilesThatAreNoVideoOrAreCutFail) {
  platform::MemoryFileSystem files;
  ASSERT_NO_FATAL_FAILURE(WriteColourFrames(files, "/v/clip.knt", 4));
  const std::string whole = *files.Content("/v/clip.knt");
  files.AddFile("/v/cut.knt", whole.substr(0, whole.size() - 20));
  files.AddFile("/v/text.knt", "not a video file");
  ThumbSettings s;
  s.output = "/v/thumb.png";
  s.frame = 4;
  for (const char* input : {"/v/cut.knt", "/v/text.knt", "/v/missing.knt"}) {
    s.input = input;
    EXPECT_NE(MakeThumbnail(files, s), "") << input;
    EXPECT_EQ(files.Content(s.output), nullptr) << input;
  }
}

TEST(Kntthumb, ExitStatusesOfTheProgram) {
  const std::string dir = testing::TempPath("kntthumb");
  const auto usage = testing::RunTool(KNTTHUMB, "only-one-name");
  EXPECT_EQ(usage.status, 2);
  EXPECT_NE(usage.output.find("Usage: kntthumb"), std::string::npos) << usage.output;
  const auto missing = testing::RunTool(KNTTHUMB, dir + "/missing.knt " + dir + "/t.png");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("cannot be opened as a video file"), std::string::npos);
}

}  // namespace
}  // namespace kinet::thumb
