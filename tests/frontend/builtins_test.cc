// The built-in file commands on a private tree: their result lines byte for byte, the
// questions they ask, and that a failing or cancelled step never loses data.
#include "frontend/core/builtins.h"

#include <gtest/gtest.h>

#include <regex>

#include "tests/frontend/recording_host.h"

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;

class BuiltIns : public ::testing::Test {
 protected:
  BuiltIns() : runner_(host_, starter_, dir_.path(), "/opt/kinet") {}
  // Runs one command and returns the lines it wrote: the echo (the prompt line) and results.
  std::vector<std::string> Run(const std::string& command) {
    runner_.history.Clear();
    runner_.Prompt();
    runner_.Run("", command);
    std::vector<std::string> lines(runner_.history.lines().begin(), runner_.history.lines().end());
    lines.pop_back();  // the new prompt
    return lines;
  }
  std::string P() const { return dir_.path() + "> "; }
  std::string At(const std::string& name) const { return dir_ / name; }

  testing::TempFolder dir_;
  testing::RecordingHost host_;
  platform::RecordingProgramStarter starter_;
  CommandRunner runner_;
};

using Lines = std::vector<std::string>;

TEST_F(BuiltIns, MakeAndRemoveDirectories) {
  EXPECT_EQ(Run("md new"), (Lines{P() + "MD new", "  " + At("new") + " was made."}));
  EXPECT_EQ(Run("mkdir new"), (Lines{P() + "MD new", "  Could not make " + At("new")}));
  EXPECT_EQ(Run("md"), (Lines{P() + "MD - error, no directory name given."}));
  dir_.Write("new/file", "x");
  EXPECT_EQ(Run("rd new"), (Lines{P() + "RD new", "  Could not remove " + At("new")}));
  fs::remove(At("new/file"));
  EXPECT_EQ(Run("rmdir new"), (Lines{P() + "RD new", "  " + At("new") + " was removed."}));
  EXPECT_EQ(Run("rd"), (Lines{P() + "RD - error, no directory name given."}));
  EXPECT_EQ(Run("rd " + dir_.path()),
            (Lines{P() + "RD " + dir_.path(), "  Could not remove " + dir_.path()}));
  EXPECT_TRUE(fs::is_directory(dir_.path())) << "the command directory stays";
  EXPECT_TRUE(host_.errors.empty()) << "no error box while the command page is in front";
  host_.command_page_in_front = false;
  Run("md " + dir_.path());
  EXPECT_EQ(host_.errors, Lines{"Error, could not make " + dir_.path()});
}

TEST_F(BuiltIns, DeleteAsksPerFileAndCancelEndsTheRun) {
  dir_.Write("a.tmp", "12345");
  dir_.Write("b.tmp", "1234567");
  dir_.Write("c.tmp", "1");
  dir_.Write("keep.txt", "1");
  host_.answers = {Answer::kYes, Answer::kNo, Answer::kCancel};
  EXPECT_EQ(Run("del *.tmp"), (Lines{P() + "Del *.tmp", "  " + At("a.tmp") + " was deleted.",
                                     "  1 file(s) deleted.  5 bytes freed."}));
  EXPECT_EQ(host_.questions, (Lines{"Delete the file: " + At("a.tmp") + " ?",
                                    "Delete the file: " + At("b.tmp") + " ?",
                                    "Delete the file: " + At("c.tmp") + " ?"}));
  EXPECT_TRUE(fs::exists(At("b.tmp")) && fs::exists(At("c.tmp")) && fs::exists(At("keep.txt")));
  EXPECT_EQ(Run("erase"), (Lines{P() + "Del - error, no file name given."}));
  EXPECT_EQ(Run("delete none.*"), (Lines{P() + "Del none.*", "  No files found."}));
}

TEST_F(BuiltIns, RenameMovesIntoDirectoriesAndNeverReplacesAFile) {
  dir_.Write("one.txt", "1");
  dir_.Write("two.txt", "2");
  dir_.Write("two.bak", "old");
  EXPECT_EQ(Run("ren *.txt *.bak"),
            (Lines{P() + "Ren *.txt *.bak", "  Renamed " + At("one.txt") + " to " + At("one.bak"),
                   "Could not rename " + At("two.txt"), "  1 file(s) renamed."}));
  EXPECT_EQ(dir_.Read("two.bak"), "old");
  EXPECT_EQ(dir_.Read("two.txt"), "2");
  fs::create_directory(At("into"));
  EXPECT_EQ(
      Run("move two.txt into"),
      (Lines{P() + "Ren two.txt into", "  Renamed " + At("two.txt") + " to " + At("into/two.txt"),
             "  1 file(s) renamed."}));
  EXPECT_EQ(Run("rename only"), (Lines{P() + "Ren - error, must give input and output names."}));
}

TEST_F(BuiltIns, RenamingTheCommandDirectoryFollowsIt) {
  fs::create_directories(At("old/deeper"));
  std::string script_dir = At("old/deeper");
  runner_.tracked_dirs.push_back(&script_dir);
  runner_.Run("", "cd old");
  Run("rendir " + At("old") + " " + At("new"));
  EXPECT_EQ(runner_.command_dir(), At("new"));
  EXPECT_EQ(script_dir, At("new/deeper"));
}

TEST_F(BuiltIns, CopyWritesWholeTargetsOrNone) {
  dir_.Write("a.dat", std::string(200000, 'a'));
  dir_.Write("b.dat", "bb");
  fs::create_directory(At("out"));
  EXPECT_EQ(Run("copy *.dat out"),
            (Lines{P() + "Copy *.dat out", "  Copied " + At("a.dat") + " to " + At("out/a.dat"),
                   "  Copied " + At("b.dat") + " to " + At("out/b.dat"),
                   "  2 file(s) copied.  200,002 bytes copied."}));
  EXPECT_EQ(dir_.Read("out/a.dat"), dir_.Read("a.dat"));
  EXPECT_EQ(Run("copy a.dat"),
            (Lines{P() + "Copy a.dat " + dir_.path(), "Could not copy " + At("a.dat"),
                   "  0 file(s) copied.  0 bytes copied."}))
      << "a file is not copied onto itself";
  dir_.Write("c.dat", "earlier");
  host_.copy_chunks_left = 2;  // cancel in the middle of a.dat
  EXPECT_EQ(Run("copy a.dat c.dat"), (Lines{P() + "Copy a.dat c.dat", "  Copy was cancelled.",
                                            "  0 file(s) copied.  0 bytes copied."}));
  EXPECT_EQ(dir_.Read("c.dat"), "earlier");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), {}), 4) << "no partial file";
  EXPECT_EQ(Run("copy"), (Lines{P() + "Copy - error, must give an input name."}));
}

TEST_F(BuiltIns, ListingLinesAndSummary) {
  dir_.Write("walk.knt", std::string(1234567, 'k'));
  dir_.Write(".hidden", "");
  fs::create_directory(At("sub"));
  fs::permissions(At("walk.knt"), fs::perms::owner_write, fs::perm_options::remove);
  const Lines lines = Run("dir");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], P() + "Dir " + At("*.*"));
  // Name in 12, size in 12 (or <DIR>), the letters A R H S, the time of the last change.
  const std::regex stamp(R"(  \d{4}-\d\d-\d\d  \d\d:\d\d)");
  const Lines starts = {"    .hidden                  0    H ",
                        "    sub                  <DIR>      ",
                        "    walk.knt         1,234,567   R  "};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(lines[i + 1].substr(0, starts[i].size()), starts[i]);
    EXPECT_TRUE(std::regex_match(lines[i + 1].substr(starts[i].size()), stamp)) << lines[i + 1];
  }
  EXPECT_TRUE(std::regex_match(
      lines[4], std::regex(R"(  1,234,567 bytes in 3 file\(s\)\.  [\d,]+ bytes free\.)")))
      << lines[4];
  EXPECT_EQ(Run("dir *.none"), (Lines{P() + "Dir " + At("*.none"), "  No files found."}));
}

TEST_F(BuiltIns, AttributesChangeTheWriteBitsAndSayWhatHasNoMeaning) {
  dir_.Write("a.txt", "");
  EXPECT_EQ(Run("attrib +r a.txt"),
            (Lines{P() + "Attr +r a.txt", "  Attributes from '    ' to ' R  ' on " + At("a.txt")}));
  EXPECT_EQ(fs::status(At("a.txt")).permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_EQ(Run("attr r- a+ *.txt"), (Lines{P() + "Attr r- a+ *.txt",
                                            "  Attributes from ' R  ' to '    ' on " + At("a.txt") +
                                                " (A has no meaning here and was left alone)"}));
  EXPECT_EQ(Run("attr +x a.txt"), (Lines{P() + "Attr +x a.txt", "Attribute command error."}));
  EXPECT_EQ(Run("attr +r"), (Lines{P() + "Attr +r", "Attribute command error."}));
  EXPECT_EQ(Run("attr +r *.none"), (Lines{P() + "Attr +r *.none", "  No files found."}));
}

TEST_F(BuiltIns, TypeAndSaveHistory) {
  dir_.Write("notes.txt", "first\r\nsecond\n");
  EXPECT_EQ(Run("type notes.txt"), (Lines{P() + "Type notes.txt", "first", "second"}));
  EXPECT_EQ(Run("display gone.txt"),
            (Lines{P() + "Type gone.txt", "  Error displaying the file " + At("gone.txt")}));
  EXPECT_EQ(Run("savehist log"),
            (Lines{P() + "SaveHist log", "  History saved to " + At("log.txt")}));
  EXPECT_EQ(dir_.Read("log.txt"), P() + "SaveHist log\n");
  EXPECT_EQ(Run("savehist " + At("no/such/dir/log")),
            (Lines{P() + "SaveHist " + At("no/such/dir/log"),
                   "  Error saving to " + At("no/such/dir/log.txt")}));
}

TEST(FileNames, WildcardsAndTargetPatterns) {
  EXPECT_TRUE(WildcardMatch("*.*", "README"));
  EXPECT_TRUE(WildcardMatch("walk??.bmp", "walk01.bmp"));
  EXPECT_FALSE(WildcardMatch("walk??.bmp", "walk1.bmp"));
  EXPECT_FALSE(WildcardMatch("*.BMP", "a.bmp"));  // names keep their case
  EXPECT_EQ(TargetName("walk.bmp", "*.bak"), "walk.bak");
  EXPECT_EQ(TargetName("walk.bmp", "run?.*"), "runk.bmp");
  EXPECT_EQ(TargetName("walk.bmp", "other.txt"), "other.txt");
  EXPECT_EQ(Unquoted("\"my file.txt\""), "my file.txt");
}

}  // namespace
}  // namespace kinet::desk
