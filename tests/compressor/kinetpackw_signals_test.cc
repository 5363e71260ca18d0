// kinetpackw as a process that is interrupted, asked to end or killed part way: it ends at
// once with exit 1 and leaves its folder as it was; after a kill, the next run of the same
// command removes what the killed run left.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "platform/images/image.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/encode_fixtures.h"
#include "tests/support/graphics_fixtures.h"
#include "tests/support/sound_fixtures.h"
#include "tests/support/tool_runs.h"
#include "tools/kntsample/sample_animation.h"

namespace kinet {
namespace {

namespace fs = std::filesystem;

constexpr char kEarlier[] = "an earlier compression";

std::vector<std::string> Names(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Content(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The output is being written: its partial file stands in the folder.
testing::ReadyTest Writing(const std::string& dir) {
  return [dir](const std::string&) {
    for (const std::string& name : Names(dir))
      if (name.starts_with(".out.knt.partial")) return true;
    return false;
  };
}

class KinetPackWSignals : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(testing::FreshTempPath("source.knt")).parent_path().string();
    encoder::AnimationSettings a{320, 240, 66};
    // Long enough that each pass lasts well past the signal.
    testing::WriteTestFile("source.knt", a, sample::BouncingBall(320, 240, 400));
    std::ofstream(dir_ + "/out.knt") << kEarlier;
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  // The earlier output stands as it was, and nothing else is new in the folder.
  void ExpectFolderAsBefore(const std::vector<std::string>& before) const {
    EXPECT_EQ(Names(dir_), before);
    EXPECT_TRUE(Content(Path("out.knt")) == kEarlier);
  }

  std::string dir_;
};

TEST_F(KinetPackWSignals, InterruptsEndTheCompressionAndTheSeriesScan) {
  std::vector<std::string> before = Names(dir_);
  std::string said;
  for (int signal : {SIGINT, SIGTERM}) {
    EXPECT_EQ(testing::SignalledTool(KINETPACKW, {Path("source.knt"), Path("out.knt"), "/O"},
                                     Writing(dir_), signal, &said),
              1)
        << signal << said;
    EXPECT_EQ(said.find("Kineted"), std::string::npos) << said;
    ExpectFolderAsBefore(before);
  }

  // A series of 20,000 pictures, all the same file: counting them takes a while.
  const toolkit::testing::TestFrame frame = toolkit::testing::PatternFrame(16, 16, 3);
  platform::Image image;
  image.width = image.height = 16;
  image.pixels = frame.pixels;
  image.palette = frame.palette;
  ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), platform::ImageFormat::kBmp,
                                       Path("ser00001.bmp"), image));
  for (int n = 2; n <= 20000; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "ser%05d.bmp", n);
    fs::create_hard_link(Path("ser00001.bmp"), Path(name));
  }
  before = Names(dir_);
  for (int signal : {SIGINT, SIGTERM}) {
    EXPECT_EQ(
        testing::SignalledTool(KINETPACKW, {Path("ser?????.bmp*1-20000"), Path("out.knt"), "/O"},
                               testing::Said("Counting the files of the series"), signal, &said),
        1)
        << signal << said;
    EXPECT_EQ(said.find("Error"), std::string::npos) << said;
    ExpectFolderAsBefore(before);
  }
}

// Frames of five minutes with sound: each frame's sound record is 3.3 MB, made one frame at a
// time, so a signal ends the analysis after the frame at hand.
TEST_F(KinetPackWSignals, InterruptsEndTheSoundOfLongFrames) {
  testing::TrackSpec track;
  track.per_frame = {testing::ToneBytes(11025, 5)};
  const std::string in = testing::WriteSoundFile("long.knt", {32, 32, 300000},
                                                 testing::SpriteAnimation(32, 32, 400, 5), {track});
  const std::vector<std::string> before = Names(dir_);
  std::string said;
  for (int signal : {SIGINT, SIGTERM}) {
    EXPECT_EQ(testing::SignalledTool(KINETPACKW, {in, Path("out.knt"), "/O"},
                                     testing::Said("Analyzing frame "), signal, &said),
              1)
        << signal << said;
    EXPECT_EQ(said.find("Kineted"), std::string::npos) << said;
    ExpectFolderAsBefore(before);
  }
}

TEST_F(KinetPackWSignals, AKilledRunLeavesOnlyAHiddenPartialThatTheNextRunRemoves) {
  const std::vector<std::string> before = Names(dir_);
  const std::vector<std::string> command = {Path("source.knt"), Path("out.knt"), "/O"};
  EXPECT_EQ(testing::SignalledTool(KINETPACKW, command, Writing(dir_), SIGKILL), -1);
  // The run file lost its name when it was opened; the partial output is hidden.
  std::vector<std::string> left = Names(dir_);
  ASSERT_EQ(left.size(), before.size() + 1);
  EXPECT_TRUE(left[0].starts_with(".out.knt.partial-")) << left[0];
  left.erase(left.begin());
  EXPECT_EQ(left, before);
  EXPECT_TRUE(Content(Path("out.knt")) == kEarlier);

  const testing::ToolRun again =
      testing::RunTool(KINETPACKW, "'" + Path("source.knt") + "' '" + Path("out.knt") + "' /O");
  EXPECT_EQ(again.status, 0) << again.output;
  EXPECT_EQ(Names(dir_), before);
  EXPECT_TRUE(Content(Path("out.knt")) != kEarlier);
}

}  // namespace
}  // namespace kinet
