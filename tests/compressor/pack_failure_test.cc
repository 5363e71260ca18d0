// Compressions in-process over the in-memory file service, made to fail where a real disk
// fails: full while the runs are stored, full while the output is written, and a rename that
// does not happen. Each says what failed, and leaves the earlier output as it was with no
// temporary file behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "compressor/kinetpackw/pack_run.h"
#include "platform/clock/clock.h"
#include "platform/files/memory_file_system.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/cancelling_face.h"
#include "toolkit/switches.h"

namespace kinet::pack {
namespace {

constexpr char kEarlier[] = "an earlier compression";

class PackFailure : public ::testing::Test {
 protected:
  void SetUp() override { source_ = testing::BouncingBallFile(96, 64, 8); }

  // A file system holding the source and an earlier output, nothing else.
  void Reset() {
    files_ = {};
    files_.AddFile("/work/source.knt", source_);
    files_.AddFile("/work/out.knt", kEarlier);
  }

  bool Pack(const std::string& switches) {
    std::vector<std::string> words = {"/work/source.knt", "/work/out.knt", "/O", switches};
    toolkit::SwitchLine line(words, SwitchTable());
    std::optional<PackSettings> settings = ReadPackSettings(line);
    EXPECT_TRUE(settings);
    log_ = {};
    auto frame = testing::RecordingFrame("Kinet", log_);
    platform::ManualClock clock;
    const bool ok = pack::Pack(*frame, *settings, files_, clock);
    EXPECT_EQ(ok, !frame->error());
    return ok;
  }

  bool Logged(const std::string& line) const {
    return std::find(log_.lines.begin(), log_.lines.end(), line) != log_.lines.end();
  }

  void ExpectEarlierOutputAlone() const {
    EXPECT_EQ(files_.AllFiles(), (std::vector<std::string>{"/work/out.knt", "/work/source.knt"}));
    ASSERT_TRUE(files_.Content("/work/out.knt"));
    EXPECT_EQ(*files_.Content("/work/out.knt"), kEarlier);
  }

  std::string source_;
  platform::MemoryFileSystem files_;
  testing::FaceRecord log_;
};

TEST_F(PackFailure, EachFullDiskAndAFailedRenameSayWhatFailedAndKeepTheEarlierOutput) {
  // A run with room to spare tells how much the runs' temporary file and the output take.
  Reset();
  const int64_t before = files_.used_bytes();
  ASSERT_TRUE(Pack("/N0")) << ::testing::PrintToString(log_.lines);
  const int64_t output = static_cast<int64_t>(files_.Content("/work/out.knt")->size());
  const int64_t runs = files_.peak_bytes() - before - output;
  ASSERT_GT(runs, 0);

  Reset();
  files_.SetQuota(before + runs / 2);
  EXPECT_FALSE(Pack("/N0"));
  // The specified text, then the path and the system's reason.
  EXPECT_TRUE(Logged("error Error reading temporary file.  (Out of disk space?)\r\n"
                     "/work: No space left on device"))
      << ::testing::PrintToString(log_.lines);
  ExpectEarlierOutputAlone();

  Reset();
  files_.SetQuota(before + runs + output / 2);
  EXPECT_FALSE(Pack("/N0"));
  EXPECT_TRUE(Logged("error Error writing Kinetor file.  (Out of disk space?)\r\n"
                     "/work/out.knt: No space left on device"))
      << ::testing::PrintToString(log_.lines);
  ExpectEarlierOutputAlone();

  Reset();
  files_.FailRenames(true);
  EXPECT_FALSE(Pack("/N0"));
  EXPECT_TRUE(Logged("error Error creating Kinetor file.\r\n/work/out.knt: Input/output error"))
      << ::testing::PrintToString(log_.lines);
  ExpectEarlierOutputAlone();
}

// A frame writer's output (a flic here) fails the same way when the disk fills.
TEST_F(PackFailure, AFlicOutputOnAFullDiskLeavesNoPartialFile) {
  Reset();
  files_.AddFile("/work/out.flc", kEarlier);
  files_.SetQuota(files_.used_bytes() + 2000);
  std::vector<std::string> words = {"/work/source.knt", "/work/out.flc", "/O"};
  toolkit::SwitchLine line(words, SwitchTable());
  std::optional<PackSettings> settings = ReadPackSettings(line);
  ASSERT_TRUE(settings);
  auto frame = testing::RecordingFrame("Kinet", log_);
  platform::ManualClock clock;
  EXPECT_FALSE(pack::Pack(*frame, *settings, files_, clock));
  EXPECT_EQ(files_.AllFiles(), (std::vector<std::string>{"/work/out.flc", "/work/out.knt",
                                                         "/work/source.knt"}));
  EXPECT_EQ(*files_.Content("/work/out.flc"), kEarlier);
}

// Pictures over an earlier series: a disk that fills part way leaves every earlier picture as
// it was and no new one, since the new pictures replace the old only once all are written.
TEST_F(PackFailure, APictureSeriesOnAFullDiskLeavesTheEarlierSeriesWhole) {
  Reset();
  std::vector<std::string> earlier;
  for (int n = 1; n <= 8; ++n) {
    earlier.push_back("/work/out" + std::to_string(n) + ".bmp");
    files_.AddFile(earlier.back(), kEarlier);
  }
  const std::vector<std::string> before = files_.AllFiles();
  std::vector<std::string> words = {"/work/source.knt", "/work/out.bmp", "/O"};
  toolkit::SwitchLine line(words, SwitchTable());
  std::optional<PackSettings> settings = ReadPackSettings(line);
  ASSERT_TRUE(settings);
  platform::ManualClock clock;
  // Room for the runs and a few of the eight new pictures (96 x 64, about 7 KB each).
  files_.SetQuota(files_.used_bytes() + 40000);
  auto frame = testing::RecordingFrame("Kinet", log_);
  EXPECT_FALSE(pack::Pack(*frame, *settings, files_, clock));
  // Some pictures were written before the disk was full.
  EXPECT_TRUE(Logged("status Writing frame 2 to /work/out2.bmp"));
  EXPECT_TRUE(log_.lines.back().starts_with("error Error writing /work/out"))
      << ::testing::PrintToString(log_.lines);
  EXPECT_EQ(files_.AllFiles(), before);
  for (const std::string& name : earlier) EXPECT_EQ(*files_.Content(name), kEarlier) << name;
}

}  // namespace
}  // namespace kinet::pack
