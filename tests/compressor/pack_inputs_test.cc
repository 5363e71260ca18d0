// kinetpackw inside the process over a file system in memory: an output is refused, and the
// file it names left as it was, whenever it is a file the run reads by whatever name the
// source reached it (an extension filled in, a list entry, the palette file, a series member).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compressor/kinetpackw/pack_run.h"
#include "platform/clock/clock.h"
#include "platform/files/memory_file_system.h"
#include "platform/images/image.h"
#include "tests/support/graphics_fixtures.h"
#include "toolkit/output_check.h"

namespace kinet {
namespace {

class PackInputs : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"pic.bmp", "f1.bmp", "f2.bmp", "f3.bmp"}) Picture(name);
    ASSERT_EQ(Pack({"pic.bmp", "movie.knt", "/N0"}), 0);
  }
  void Picture(const std::string& path) {
    const toolkit::testing::TestFrame f = toolkit::testing::PatternFrame(16, 8, 3);
    platform::Image image;
    image.width = 16, image.height = 8, image.pixels = f.pixels, image.palette = f.palette;
    ASSERT_TRUE(platform::WriteImageFile(files_, platform::ImageFormat::kBmp, path, image));
  }
  int Pack(std::vector<std::string> words) {
    ::testing::internal::CaptureStderr();
    const int status = pack::RunPack(words, files_, clock_);
    said_ = ::testing::internal::GetCapturedStderr();
    return status;
  }

  platform::MemoryFileSystem files_;
  platform::ManualClock clock_;
  std::string said_;
};

TEST_F(PackInputs, OutputsThatAreInputsByAnotherName) {
  files_.AddFile("/l.lst", "pic.bmp\n");
  files_.AddFile("/m.lst", "movie\n");
  files_.AddFile("/hints.txt", "");
  const std::vector<std::vector<std::string>> refused = {
      {"movie", "movie.knt", "/O"},           // the source opened movie.knt
      {"movie", "movie", "/O"},               // and the output gets the same extension
      {"pic", "pic.bmp", "/O"},               // a picture found by its default extension
      {"l.lst", "pic.bmp", "/O"},             // a list entry
      {"m.lst", "./movie.knt", "/O"},         // a list entry without its extension
      {"l.lst", "l.lst", "/O"},               // the list itself
      {"movie.knt", "pic.bmp", "/O", "-&pic"},  // the palette file
      {"f?.bmp*1-3", "f.bmp", "/O"},          // numbered outputs f1.bmp to f3.bmp
      {"f?.bmp*1-3", "f3.bmp", "/O", "/E1"},  // a member the range leaves out is still read
      {"pic.bmp", "hints.txt", "/O", "-@hints.txt"},  // the hint file
  };
  const auto before = files_.AllFiles();
  for (const auto& words : refused) {
    SCOPED_TRACE(words[0] + " " + words[1]);
    std::vector<std::string> contents;
    for (const auto& f : before) contents.push_back(*files_.Content(f));
    EXPECT_EQ(Pack(words), 1) << said_;
    EXPECT_NE(said_.find(toolkit::kOutputIsInput), std::string::npos) << said_;
    EXPECT_EQ(files_.AllFiles(), before);
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(*files_.Content(before[i]), contents[i]);
  }
  // Another name is written.
  EXPECT_EQ(Pack({"movie", "copy", "/O", "/N0"}), 0) << said_;
  EXPECT_TRUE(files_.Content("/copy.knt"));
}

}  // namespace
}  // namespace kinet
