// The file lists' menus without widgets: how each kind of file is viewed, the directory and
// drive summaries, and whether a tool of the package is installed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "frontend/core/command_runner.h"
#include "frontend/core/list_operations.h"
#include "tests/frontend/recording_host.h"

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;

TEST(ListOperations, ListFilesGoToTheEditorVideoFilesToThePlayerTheRestToAViewer) {
  const auto list = ViewByCommand("walk.LST");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->command, "ListEdit walk.LST");
  EXPECT_TRUE(list->refresh) << "the editor may save a new list";
  const auto video = ViewByCommand("\"my clip.knt\"");
  ASSERT_TRUE(video) << "a quoted name keeps its extension";
  EXPECT_EQ(video->command, "KinetPlayW \"my clip.knt\"");
  EXPECT_FALSE(video->refresh);
  for (const char* other : {"walk.bmp", "tune.wav", "walk.flc", "README", "archive.knt.gz"})
    EXPECT_FALSE(ViewByCommand(other)) << other;
  EXPECT_EQ(DesktopOpenCommand("tune.wav"), "xdg-open tune.wav");
}

TEST(ListOperations, TheDirectorySummaryCountsTheWholeTreeWithoutFollowingLinks) {
  testing::TempFolder dir;
  fs::create_directories(dir / "a/b");
  dir.Write("one.bin", std::string(100, 'x'));
  dir.Write("a/two.bin", std::string(20, 'x'));
  dir.Write("a/b/three.bin", "abc");
  fs::create_directory_symlink(dir.path(), dir / "a/loop");  // back to the top
  EXPECT_EQ(DirectorySummary(dir.path()), "Directory summary on " + dir.path() +
                                              ":\n  Total files: 4\n  Total bytes: 123\n"
                                              "  Total subdirectories: 2");
  EXPECT_EQ(DirectorySummary(dir / "gone"), "Directory summary on " + (dir / "gone") +
                                                ":\n  Total files: 0\n  Total bytes: 0\n"
                                                "  Total subdirectories: 0");
}

TEST(ListOperations, TheDriveSummaryGivesMegabytes) {
  const std::string text = DriveSummary("/");
  EXPECT_EQ(text.rfind("Drive summary on /:\n   Available space: ", 0), 0u) << text;
  EXPECT_NE(text.find(" MB\n   Total space: "), std::string::npos) << text;
  EXPECT_TRUE(text.ends_with(" MB")) << text;
}

TEST(ListOperations, AToolCountsAsInstalledOnlyAsAnExecutableOfTheProgramDirectory) {
  testing::TempFolder dir;
  testing::RecordingHost host;
  platform::RecordingProgramStarter starter;
  CommandRunner runner(host, starter, dir.path(), dir.path());
  EXPECT_FALSE(runner.HasTool("KinetFR"));
  dir.Write("kinetfrw", "#!/bin/sh\n");
  EXPECT_FALSE(runner.HasTool("KinetFR")) << "not executable";
  chmod((dir / "kinetfrw").c_str(), 0755);
  EXPECT_TRUE(runner.HasTool("KinetFR"));
  EXPECT_TRUE(runner.HasTool("kinetfrw.exe"));
  EXPECT_FALSE(runner.HasTool("vi")) << "not a tool of the package";
  fs::create_directory(dir / "kntinfow");
  EXPECT_FALSE(runner.HasTool("kntinfo")) << "a directory";
}

}  // namespace
}  // namespace kinet::desk
