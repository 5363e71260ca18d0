// The in-memory file service's made failures behave as the disk's would, since the tools'
// failure-path tests rely on them; and the safe output over them never leaves half a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/files/memory_file_system.h"
#include "platform/files/output_file.h"
#include "platform/files/run_marks.h"

namespace kinet::platform {
namespace {

TEST(MemoryFileSystem, AFullDiskStoresWhatFitsAndRefusesTheRest) {
  MemoryFileSystem files;
  files.AddFile("/a", std::string(60, 'a'));
  files.SetQuota(100);
  EXPECT_EQ(files.FreeSpace("/"), 40);
  std::unique_ptr<File> b = files.Open("/b", OpenMode::kCreate);
  ASSERT_TRUE(b);
  EXPECT_TRUE(b->Write(std::string(30, 'b').data(), 30));
  EXPECT_FALSE(b->Write(std::string(30, 'c').data(), 30));
  EXPECT_EQ(*files.Content("/b"), std::string(30, 'b') + std::string(10, 'c'));
  EXPECT_FALSE(b->Write("d", 1));
  EXPECT_EQ(files.used_bytes(), 100);
  // Overwriting inside the file needs no room.
  ASSERT_TRUE(b->Seek(0));
  EXPECT_TRUE(b->Write("xy", 2));
  // Bytes of a removed file still open keep their room until it is closed.
  EXPECT_TRUE(files.Remove("/b"));
  EXPECT_EQ(files.used_bytes(), 100);
  b.reset();
  EXPECT_EQ(files.used_bytes(), 60);
  EXPECT_EQ(files.peak_bytes(), 100);
  // A copy that does not fit is not made at all.
  EXPECT_FALSE(files.Copy("/a", "/a2"));
  EXPECT_EQ(files.Content("/a2"), nullptr);
  files.SetQuota(-1);
  EXPECT_TRUE(files.Copy("/a", "/a2"));
}

TEST(MemoryFileSystem, FailedRenamesChangeNothing) {
  MemoryFileSystem files;
  files.AddFile("/from", "new");
  files.AddFile("/to", "old");
  files.FailRenames(true);
  EXPECT_FALSE(files.Rename("/from", "/to"));
  EXPECT_EQ(*files.Content("/from"), "new");
  EXPECT_EQ(*files.Content("/to"), "old");
  files.FailRenames(false);
  EXPECT_TRUE(files.Rename("/from", "/to"));
  EXPECT_EQ(files.Content("/from"), nullptr);
  EXPECT_EQ(*files.Content("/to"), "new");
}

// Each way an output can fail leaves the earlier target as it was and no temporary file.
TEST(SafeOutputFile, AFailedOutputLeavesTheEarlierTargetAlone) {
  for (const char* failure : {"full disk", "failed rename", "abandoned"}) {
    SCOPED_TRACE(failure);
    MemoryFileSystem files;
    files.AddFile("/out/video.knt", "earlier");
    const std::string failing = failure;
    if (failing == "full disk") files.SetQuota(files.used_bytes() + 1000);
    if (failing == "failed rename") files.FailRenames(true);
    {
      SafeOutputFile out;
      ASSERT_TRUE(out.Create(files, "/out/video.knt"));
      const std::string bytes(600, 'n');
      const bool written = out.Write(bytes.data(), bytes.size()) && out.Write(bytes.data(), bytes.size());
      EXPECT_EQ(written, failing != "full disk");
      if (written && failing == "failed rename") {
        EXPECT_FALSE(out.Commit());
      }
    }
    EXPECT_EQ(files.AllFiles(), std::vector<std::string>{"/out/video.knt"});
    EXPECT_EQ(*files.Content("/out/video.knt"), "earlier");
  }
}

// What a killed run leaves: partial outputs named with the number of the run that wrote them,
// which a later run writing into the folder removes once that run has ended; a live run's and
// names of no partial output are left alone.
TEST(SafeOutputFile, PartialOutputsOfEndedRunsAreRemoved) {
  MemoryFileSystem files;
  const std::string live = std::to_string(ThisRunId());
  const std::vector<std::string> kept = {"/out/.video.knt.partial-" + live + "-2",
                                         "/out/.video.knt.partial-x-3",
                                         "/out/video.knt.partial-2147483000-5"};
  // No process has such a number.
  for (const char* stale : {"/out/.video.knt.partial-2147483000-4",
                            "/out/.other.bmp.partial-2147483000-1"})
    files.AddFile(stale, "stale");
  for (const std::string& name : kept) files.AddFile(name, "kept");
  SafeOutputFile out;
  ASSERT_TRUE(out.Create(files, "/out/video.knt"));
  auto all = files.AllFiles();
  for (const std::string& name : kept) EXPECT_EQ(std::count(all.begin(), all.end(), name), 1);
  EXPECT_EQ(all.size(), kept.size() + 1);  // and the new partial, of this run
  for (const std::string& name : all)
    if (std::find(kept.begin(), kept.end(), name) == kept.end())
      EXPECT_TRUE(name.starts_with("/out/.video.knt.partial-" + live + "-")) << name;
  EXPECT_TRUE(RunHasEnded(2147483000u));
  EXPECT_FALSE(RunHasEnded(ThisRunId()));
}

}  // namespace
}  // namespace kinet::platform
