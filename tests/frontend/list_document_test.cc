// The list editor's file: loading and saving, the frame fields rewriting the selected line,
// the buttons' edits and when they mark the list changed.
#include <gtest/gtest.h>

#include <functional>

#include "frontend/core/list_document.h"
#include "platform/files/memory_file_system.h"

namespace kinet::desk {
namespace {

using Lines = std::vector<std::string>;

TEST(ListDocument, LoadsOneEntryALineAndSavesThemBack) {
  platform::MemoryFileSystem files;
  files.AddFile("/l/walk.lst", "walk.flc /S10 /E20\r\nrun.bmp\n\nlast.bmp");
  ListDocument list;
  ASSERT_TRUE(list.Load(files, "/l/walk.lst"));
  EXPECT_EQ(list.lines(), (Lines{"walk.flc /S10 /E20", "run.bmp", "", "last.bmp"}));
  EXPECT_EQ(list.selected(), 0);
  EXPECT_FALSE(list.changed());
  EXPECT_FALSE(list.untitled());
  EXPECT_EQ(list.SelectedLine().start, "10");
  EXPECT_EQ(list.SelectedLine().end, "20");
  ASSERT_TRUE(list.Save(files, "/l/copy.lst"));
  EXPECT_EQ(*files.Content("/l/copy.lst"), "walk.flc /S10 /E20\nrun.bmp\n\nlast.bmp\n");
  EXPECT_EQ(list.path(), "/l/copy.lst");
  // A file that is not there leaves the document as it was.
  EXPECT_FALSE(list.Load(files, "/l/none.lst"));
  EXPECT_EQ(list.lines().size(), 4u);
  ListDocument empty;
  files.AddFile("/l/empty.lst", "");
  ASSERT_TRUE(empty.Load(files, "/l/empty.lst"));
  EXPECT_EQ(empty.selected(), -1);
}

TEST(ListDocument, FrameFieldsRewriteTheSelectedLine) {
  platform::MemoryFileSystem files;
  files.AddFile("/l/a.lst", "walk.flc /S10 /E20\nrun.bmp\n");
  ListDocument list;
  ASSERT_TRUE(list.Load(files, "/l/a.lst"));
  list.SetStart("10");  // the number it held: nothing changes
  EXPECT_EQ(list.lines()[0], "walk.flc /S10 /E20");
  EXPECT_FALSE(list.changed());
  list.SetStart("");  // cleared: only the end stays
  EXPECT_EQ(list.lines()[0], "walk.flc /e20");
  EXPECT_TRUE(list.changed());
  list.Select(1);
  list.SetEnd("7");
  EXPECT_EQ(list.lines()[1], "run.bmp /e7");
  list.SetStart("3");
  EXPECT_EQ(list.lines()[1], "run.bmp /s3 /e7");
  list.Select(5);  // past the end: nothing selected, the fields change nothing
  list.SetStart("1");
  EXPECT_EQ(list.lines(), (Lines{"walk.flc /e20", "run.bmp /s3 /e7"}));
}

TEST(ListDocument, InsertRemoveAndMoveFollowTheSelection) {
  ListDocument list = ListDocument::FromNames("/pics", {"b.bmp", "c.bmp"});
  EXPECT_EQ(list.path(), "/pics/untitled.lst");
  EXPECT_TRUE(list.untitled());
  EXPECT_TRUE(list.changed());
  list.Select(1);
  list.Insert({"x.bmp", "y.bmp"});  // before the selected line
  EXPECT_EQ(list.lines(), (Lines{"b.bmp", "x.bmp", "y.bmp", "c.bmp"}));
  EXPECT_EQ(list.selected(), 1);
  list.MoveUp();
  EXPECT_EQ(list.lines(), (Lines{"x.bmp", "b.bmp", "y.bmp", "c.bmp"}));
  EXPECT_EQ(list.selected(), 0);
  list.MoveUp();  // the top line stays
  EXPECT_EQ(list.lines()[0], "x.bmp");
  list.Select(3);
  list.MoveDown();  // so does the last
  EXPECT_EQ(list.selected(), 3);
  list.Remove();
  EXPECT_EQ(list.lines(), (Lines{"x.bmp", "b.bmp", "y.bmp"}));
  EXPECT_EQ(list.selected(), 2);
  list.Select(-1);
  list.Insert({"top.bmp"});  // none selected: at the top
  EXPECT_EQ(list.lines()[0], "top.bmp");
}

TEST(ListDocument, EveryEditMarksTheListChangedAndSavingClearsIt) {
  platform::MemoryFileSystem files;
  files.AddFile("/l/a.lst", "a.bmp\nb.bmp\n");
  for (const auto& edit : std::vector<std::function<void(ListDocument&)>>{
           [](ListDocument& l) { l.Insert({"n.bmp"}); }, [](ListDocument& l) { l.Remove(); },
           [](ListDocument& l) { l.MoveDown(); }, [](ListDocument& l) { l.SetEnd("4"); }}) {
    ListDocument list;
    ASSERT_TRUE(list.Load(files, "/l/a.lst"));
    edit(list);
    EXPECT_TRUE(list.changed());
    ASSERT_TRUE(list.Save(files, "/l/a2.lst"));
    EXPECT_FALSE(list.changed());
  }
}

TEST(ListDocument, AFailedSaveKeepsTheChangesAndTheEarlierFile) {
  platform::MemoryFileSystem files;
  files.AddFile("/l/a.lst", "a.bmp\n");
  ListDocument list;
  ASSERT_TRUE(list.Load(files, "/l/a.lst"));
  list.Insert({"new.bmp"});
  files.FailRenames(true);
  EXPECT_FALSE(list.Save(files, "/l/a.lst"));
  EXPECT_TRUE(list.changed());
  EXPECT_EQ(*files.Content("/l/a.lst"), "a.bmp\n");
  EXPECT_FALSE(list.Save(files, "/no/such/dir/b.lst"));
  EXPECT_EQ(list.path(), "/l/a.lst");
}

}  // namespace
}  // namespace kinet::desk
