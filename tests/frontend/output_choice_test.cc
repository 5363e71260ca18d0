// The output-file chooser's decision and the command page's recall, without widgets.
#include "frontend/core/output_choice.h"

#include <gtest/gtest.h>

#include "frontend/core/recent_list.h"
#include "tests/frontend/recording_host.h"

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;
using Verdict = OutputChoice::Verdict;

TEST(OutputChoice, NamesResolveAndExistingFilesFollowTheMode) {
  testing::TempFolder dir;
  fs::create_directory(dir / "sub");
  dir.Write("taken.txt", "x");
  dir.Write("locked.txt", "x");
  fs::permissions(dir / "locked.txt", fs::perms::owner_write, fs::perm_options::remove);

  OutputChoice c = ChooseOutput(dir.path(), "sub", "untitled.txt", OutputMode::kAskOverwrite);
  EXPECT_EQ(c.verdict, Verdict::kAccept);
  EXPECT_EQ(c.path, dir / "sub/untitled.txt");
  EXPECT_EQ(ChooseOutput(dir.path(), "notes", "untitled.txt", OutputMode::kAskOverwrite).path,
            dir / "notes.txt");
  EXPECT_EQ(ChooseOutput("/elsewhere", dir / "abs.log", "u.txt", OutputMode::kAskOverwrite).path,
            dir / "abs.log");

  c = ChooseOutput(dir.path(), "taken", "u.txt", OutputMode::kMustNotExist);
  EXPECT_EQ(c.verdict, Verdict::kRefuse);
  EXPECT_EQ(c.message, "Error: output filename must not already exist.");
  EXPECT_EQ(ChooseOutput(dir.path(), "taken", "u.txt", OutputMode::kAcceptExisting).verdict,
            Verdict::kAccept);
  c = ChooseOutput(dir.path(), "taken.txt", "u.txt", OutputMode::kAskOverwrite);
  EXPECT_EQ(c.verdict, Verdict::kAskOverwrite);
  EXPECT_EQ(c.message, "Overwrite " + (dir / "taken.txt") + " ?");
  c = ChooseOutput(dir.path(), "locked.txt", "u.txt", OutputMode::kAskOverwrite);
  EXPECT_EQ(c.verdict, Verdict::kRefuse);
  EXPECT_EQ(c.message,
            "Error: output filename must be a normal file (not read-only, hidden, etc).");
}

TEST(RecallCursor, UpAndDownWrapAndAnEditStartsOver) {
  const std::vector<std::string> recent = {"new", "mid", "old"};
  RecallCursor cursor;
  EXPECT_EQ(cursor.Up(recent), "new");
  EXPECT_EQ(cursor.Up(recent), "mid");
  EXPECT_EQ(cursor.Up(recent), "old");
  EXPECT_EQ(cursor.Up(recent), "new");  // wrapped
  cursor.Reset();
  EXPECT_EQ(cursor.Down(recent), "new");
  EXPECT_EQ(cursor.Down(recent), "old");  // wrapped from 0 to the last
  EXPECT_EQ(cursor.Down(recent), "mid");
  EXPECT_EQ(cursor.Up({}), "");
}

}  // namespace
}  // namespace kinet::desk
