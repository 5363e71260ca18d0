// The list editor's line rules and the file finder's search order, cancel and link loops.
#include <gtest/gtest.h>

#include <filesystem>

#include "frontend/core/file_finder.h"
#include "frontend/core/list_lines.h"
#include "platform/files/memory_file_system.h"

namespace kinet::desk {
namespace {

TEST(ListLines, StartAndEndAreReadAndWrittenBack) {
  ListLine l = ParseListLine("walk.flc /S10 /E20");
  EXPECT_EQ(l.name, "walk.flc");
  EXPECT_EQ(l.start, "10");
  EXPECT_EQ(l.end, "20");
  l.start.clear();  // clearing the start field
  EXPECT_EQ(ListLineText(l), "walk.flc /e20");
  l = ParseListLine("  /srv/e.bmp /s3  ");
  EXPECT_EQ(l.name, "/srv/e.bmp");
  EXPECT_EQ(l.start, "3");
  EXPECT_EQ(l.end, "");
  l = ParseListLine("f???.bmp*1-9 /e 7 /s2");
  EXPECT_EQ(ListLineText(l), "f???.bmp*1-9 /s2 /e7");
  EXPECT_EQ(ListLineText(ParseListLine("plain.bmp")), "plain.bmp");
}

TEST(FileFinder, DepthFirstFilesBeforeFoldersWithoutDotFolders) {
  platform::MemoryFileSystem files;
  for (const char* f : {"/a/x.bmp", "/a/b/y.bmp", "/a/.hidden/z.bmp", "/a/c/w.bmp",
                        "/a/b/d/v.bmp", "/a/q.txt", "/a/.dot.bmp"})
    files.AddFile(f, "x");
  std::vector<FindProgress> seen;
  const auto found = FindFiles(files, "/a/*.bmp", [&](const FindProgress& p) {
    seen.push_back(p);
    return true;
  });
  EXPECT_EQ(found, (std::vector<std::string>{"/a/.dot.bmp", "/a/x.bmp", "/a/b/y.bmp",
                                             "/a/b/d/v.bmp", "/a/c/w.bmp"}));
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[2].current, "/a/b/d");
  EXPECT_EQ(seen[2].directories, 3);
  EXPECT_EQ(seen[2].found, 3);
  // Cancel before the second folder: what was found so far.
  const auto first = FindFiles(files, "/a/x*", [](const FindProgress& p) { return p.directories < 2; });
  EXPECT_EQ(first, (std::vector<std::string>{"/a/x.bmp"}));
}

TEST(FileFinder, ALinkBackToAFolderAboveEnds) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "kinet-find-loop";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "sub");
  std::filesystem::create_directory_symlink(dir, dir / "sub" / "up");
  { std::FILE* f = std::fopen((dir / "sub" / "a.knt").c_str(), "w"); std::fclose(f); }
  const auto found = FindFiles(platform::SystemFileSystem(), (dir / "*.knt").string(), nullptr);
  EXPECT_EQ(found, (std::vector<std::string>{(dir / "sub" / "a.knt").string()}));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kinet::desk
