// kntinfow as a process on generated files: the rates it reports, a cut file, the frames it
// writes for -S/-E, and pictures it replaces only with -O.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <string>

#include "compressor/animation_writer.h"
#include "kinet/kinet.h"
#include "platform/files/file_system.h"
#include "platform/images/image.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/encode_fixtures.h"
#include "tests/support/tool_runs.h"
#include "tools/kntinfow/info_settings.h"
#include "tools/kntsample/sample_animation.h"

namespace kinet::info {
namespace {

namespace fs = std::filesystem;

std::optional<InfoSettings> Read(std::vector<std::string> words) {
  toolkit::SwitchLine line(words, InfoSwitches());
  return ReadInfoSettings(line);
}

TEST(InfoSettings, RangesAndNames) {
  auto s = Read({"a.knt", "-S3", "-E5", "-D/tmp/x", "/O"});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->first, 3u);
  EXPECT_EQ(s->last, 5u);
  EXPECT_EQ(s->folder, "/tmp/x");
  EXPECT_TRUE(s->overwrite);
  s = Read({"a.knt"});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->first, 1u);
  EXPECT_GT(s->last, 1000000u);
  EXPECT_FALSE(Read({"a.knt", "-S0"}));
  EXPECT_FALSE(Read({"a.knt", "-S5", "-E4"})) << "an empty range";
  EXPECT_FALSE(Read({"a.knt", "b.knt"}));
}

class KntInfoW : public ::testing::Test {
 protected:
  void SetUp() override {
    frames_ = sample::BouncingBall(64, 48, 12);
    encoder::AnimationSettings a{64, 48, 50};  // 50 ms a frame: 0.6 seconds
    path_ = testing::FreshTempPath("info.knt");
    dir_ = fs::path(path_).parent_path().string();
    ASSERT_EQ(encoder::WriteAnimation(platform::SystemFileSystem(), path_, a, frames_),
              encoder::WriteStatus::kOk);
  }
  testing::ToolRun Info(const std::string& arguments) {
    return testing::RunTool(KNTINFOW, "'" + path_ + "' " + arguments);
  }
  // The picture kntinfow wrote for a frame, as its indices.
  std::vector<uint8_t> Picture(const std::string& folder, int frame) {
    char name[32];
    std::snprintf(name, sizeof name, "/frame%04d.png", frame);
    auto image = platform::ReadImageFile(platform::SystemFileSystem(), platform::ImageFormat::kPng,
                                         folder + name);
    return image ? image->pixels : std::vector<uint8_t>();
  }

  std::vector<encoder::AnimationFrame> frames_;
  std::string path_, dir_;
};

TEST_F(KntInfoW, ReportsDurationRatesAndNoPlayingForADecode) {
  KinetHandle* h = KinetOpen(path_.c_str(), 0, -1);
  ASSERT_NE(h, nullptr);
  KinetSummaryRecord s;
  KinetSummary(h, &s);
  KinetClose(h);
  const auto percent = [&](uint32_t kb) {
    return std::to_string((uint64_t{s.BusiestSecond} * 100 + kb * 512) / (kb * 1024));
  };
  const testing::ToolRun run = Info("-D'" + dir_ + "/all'");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("Duration:    0.600 seconds\n"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Data rate:   " + std::to_string(s.AverageFrameSize * 20) +
                            " bytes per second on average\n"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("Busiest second: " + std::to_string(s.BusiestSecond) +
                            " bytes from frame 1\n  of drive rates: " + percent(150) +
                            "% of 150 KB/s, " + percent(300) + "% of 300 KB/s, " + percent(600) +
                            "% of 600 KB/s, " + percent(900) + "% of 900 KB/s\n"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("Decoded:     12 frames"), std::string::npos);
  EXPECT_EQ(run.output.find("Played:"), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("Read speed"), std::string::npos) << run.output;
}

TEST_F(KntInfoW, ACutFileWarnsAndFailsWithOrWithoutPictures) {
  std::vector<uint8_t> bytes = testing::ReadWholeFile(path_);
  bytes.resize(bytes.size() - 10);
  testing::WriteWholeFile(path_, bytes);
  testing::ToolRun run = Info("");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("Warning: the file ends inside frame record 12 of 12\n"),
            std::string::npos)
      << run.output;
  run = Info("-D'" + dir_ + "/cut'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("Warning: the file ends inside frame record 12 of 12\n"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(Picture(dir_ + "/cut", 11), frames_[10].pixels);
}

TEST_F(KntInfoW, ARangeGivesItsFramesWholeAndOneFrameOnePicture) {
  ASSERT_EQ(Info("-S4 -E6 -D'" + dir_ + "/range'").status, 0);
  EXPECT_TRUE(Picture(dir_ + "/range", 3).empty());
  for (int f = 4; f <= 6; ++f) EXPECT_EQ(Picture(dir_ + "/range", f), frames_[f - 1].pixels) << f;
  EXPECT_TRUE(Picture(dir_ + "/range", 7).empty());

  const testing::ToolRun run = Info("-S9 -E9 -W'" + dir_ + "/nine.png'");
  ASSERT_EQ(run.status, 0) << run.output;
  auto nine = platform::ReadImageFile(platform::SystemFileSystem(), platform::ImageFormat::kPng,
                                      dir_ + "/nine.png");
  ASSERT_TRUE(nine);
  EXPECT_EQ(nine->pixels, frames_[8].pixels);

  const testing::ToolRun none = Info("-S13 -D'" + dir_ + "/none'");
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.output.find("Error: no frames in the chosen range\n"), std::string::npos)
      << none.output;
  EXPECT_EQ(Info("-S0").status, 2);
}

TEST_F(KntInfoW, PicturesAreReplacedOnlyWithO) {
  const std::string folder = dir_ + "/again";
  ASSERT_EQ(Info("-S2 -E3 -D'" + folder + "'").status, 0);
  testing::WriteWholeFile(folder + "/frame0003.png", {1, 2, 3});
  testing::ToolRun run = Info("-D'" + folder + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("Error: " + folder + "/frame0002.png exists (-O replaces it)\n"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(testing::ReadWholeFile(folder + "/frame0003.png"), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_FALSE(fs::exists(folder + "/frame0001.png"));
  run = Info("-W'" + folder + "/frame0003.png' -S3 -E3");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("exists (-O replaces it)"), std::string::npos) << run.output;

  ASSERT_EQ(Info("-D'" + folder + "' -O").status, 0);
  EXPECT_EQ(Picture(folder, 3), frames_[2].pixels);
}

// Ctrl-C or a termination request ends a long walk at the next frame, exit 1.
TEST_F(KntInfoW, InterruptsEndTheWalkThroughTheFrames) {
  const std::string path = dir_ + "/long.knt";
  ASSERT_EQ(encoder::WriteAnimation(platform::SystemFileSystem(), path, {64, 48, 50},
                                    sample::BouncingBall(64, 48, 2000)),
            encoder::WriteStatus::kOk);
  for (int signal : {SIGINT, SIGTERM}) {
    const std::string folder = dir_ + "/dump" + std::to_string(signal);
    std::string said;
    EXPECT_EQ(testing::SignalledTool(
                  KNTINFOW, {path, "-D" + folder},
                  [&](const std::string&) { return fs::exists(folder + "/frame0002.png"); }, signal,
                  &said),
              1);
    EXPECT_NE(said.find("Interrupted at frame "), std::string::npos) << said;
    EXPECT_FALSE(fs::exists(folder + "/frame2000.png"));
  }
}

}  // namespace
}  // namespace kinet::info
