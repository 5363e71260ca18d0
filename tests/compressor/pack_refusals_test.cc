// kinetpackw runs refused before or while they create their files, driven in-process over an
// in-memory file system: a missing folder and names that are no file names, each with its own
// text and exit 1, nothing partial and an earlier output of the name as it was. (Full disks and
// failed renames: pack_failure_test.cc.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compressor/kinetpackw/pack_run.h"
#include "platform/clock/clock.h"
#include "platform/files/memory_file_system.h"
#include "tests/support/animation_fixtures.h"

namespace kinet::pack {
namespace {

class PackRefusals : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.AddFile("/w/source.knt", testing::BouncingBallFile(64, 48, 6));
    files_.AddFile("/w/out.knt", "earlier");
  }

  // What the run printed; its exit status in status_.
  std::string Pack(const std::string& output) {
    const std::vector<std::string> words{"/w/source.knt", output, "/N0", "/O"};
    ::testing::internal::CaptureStderr();
    status_ = RunPack(words, files_, clock_);
    return ::testing::internal::GetCapturedStderr();
  }

  // Only the source and the earlier output: no temporary file was left behind.
  void ExpectNothingPartial() {
    EXPECT_EQ(files_.AllFiles(), (std::vector<std::string>{"/w/out.knt", "/w/source.knt"}));
    EXPECT_EQ(*files_.Content("/w/out.knt"), "earlier");
  }

  platform::MemoryFileSystem files_;
  platform::ManualClock clock_;
  int status_ = -1;
};

TEST_F(PackRefusals, AMissingFolderNamesItsPathAndReason) {
  const std::string text = Pack("/w/no/such/x.knt");
  EXPECT_EQ(status_, 1);
  EXPECT_NE(text.find("Error creating temporary file.\n/w/no/such: No such file or directory\n"),
            std::string::npos)
      << text;
  ExpectNothingPartial();
}

TEST_F(PackRefusals, AnOutputNameWithoutAFileNameIsRefused) {
  files_.MakeDirectory("/w/folder.knt");
  const struct {
    std::string output, message;
  } cases[] = {
      // A default extension makes "out/" a name that is an extension alone.
      {"/w/out/", "Output filename has no name before its extension: /w/out/.knt"},
      {"/w/.knt", "Output filename has no name before its extension: /w/.knt"},
      {"/w/folder.knt", "Output filename names a folder: /w/folder.knt"},
      {"/w/..", "Output filename names a folder: /w/.."},
  };
  for (const auto& c : cases) {
    const std::string text = Pack(c.output);
    EXPECT_EQ(status_, 1) << c.output;
    EXPECT_NE(text.find(c.message + "\n"), std::string::npos) << text;
  }
  files_.RemoveDirectory("/w/folder.knt");
  ExpectNothingPartial();
  // A hidden name with a name of its own is a file like any other.
  EXPECT_EQ((Pack("/w/.walk.knt"), status_), 0);
  EXPECT_NE(files_.Content("/w/.walk.knt"), nullptr);
}

}  // namespace
}  // namespace kinet::pack
