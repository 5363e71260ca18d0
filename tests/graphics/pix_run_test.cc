// Conversions in-process on a recording status face: the exact texts of a run, and runs that
// are cancelled or fail part way, which must leave no output and earlier files as they were.
#include "graphics/pixworkw/pix_run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/file_system.h"
#include "platform/files/memory_file_system.h"
#include "platform/images/image.h"
#include "tests/support/cancelling_face.h"
#include "tests/support/graphics_fixtures.h"
#include "toolkit/graphics/flic_writer.h"

namespace kinet::pix {
namespace {

namespace fs = std::filesystem;

class PixRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = toolkit::testing::TestFolder();
    auto writer =
        toolkit::FlicWriter::Create(platform::SystemFileSystem(), dir_ + "walk.flc", 30, 20, 40);
    ASSERT_TRUE(writer);
    for (uint32_t f = 0; f < 3; ++f) {
      const auto frame = toolkit::testing::PatternFrame(30, 20, f);
      ASSERT_TRUE(writer->WriteFrame(frame.palette.data(), frame.pixels.data()));
    }
    ASSERT_TRUE(writer->Close());
  }

  bool Convert(const std::string& input, const std::string& output, bool overwrite = true,
               int32_t start = 0) {
    log_ = {};
    log_.cancel_at_pump = cancel_at_pump_;
    auto frame = testing::RecordingFrame("Graphics Processor", log_);
    PixSettings s;
    s.input = dir_ + input;
    s.output = dir_ + output;
    s.overwrite = overwrite;
    s.graphics.start = start;
    platform::ManualClock clock;
    const bool ok = ConvertGraphics(*frame, s, platform::SystemFileSystem(), clock);
    EXPECT_EQ(ok, !frame->error());
    return ok;
  }
  bool Logged(const std::string& line) const {
    return std::find(log_.lines.begin(), log_.lines.end(), line) != log_.lines.end();
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string dir_;
  testing::FaceRecord log_;
  int cancel_at_pump_ = 0;
};

TEST_F(PixRunTest, TextsOfAConversion) {
  ASSERT_TRUE(Convert("walk.flc", "copy"));
  EXPECT_TRUE(Logged("status Copying frame 1 of 3..."));
  EXPECT_TRUE(Logged("status Copying frame 3 of 3..."));
  EXPECT_TRUE(Logged("status Writing frame 3 to " + dir_ + "copy.flc"));
  EXPECT_EQ(log_.lines.back(), "status Created " + dir_ + "copy.flc in 0 milliseconds.");
  ASSERT_TRUE(Convert("walk.flc", "still.png"));
  EXPECT_EQ(log_.lines.back(), "status Created " + dir_ + "still1.png in 0 milliseconds.");
  EXPECT_EQ(Files(), (std::vector<std::string>{"copy.flc", "still1.png", "still2.png", "still3.png",
                                               "walk.flc"}));
}

// Earlier outputs of the same names, and what the run must leave of them.
TEST_F(PixRunTest, CancelledOrFailedRunsLeaveEarlierFilesAsTheyWere) {
  const std::vector<uint8_t> old = {'o', 'l', 'd'};
  for (const char* name : {"out.flc", "out1.bmp", "out2.bmp"})
    toolkit::testing::WriteBytes(dir_ + name, old);
  const auto before = Files();
  for (const char* output : {"out.flc", "out.bmp"}) {
    SCOPED_TRACE(output);
    // Cancelled half way through the run's looks at the user.
    ASSERT_TRUE(Convert("walk.flc", std::string("whole") + output));
    cancel_at_pump_ = log_.pumps / 2;
    EXPECT_FALSE(Convert("walk.flc", output));
    cancel_at_pump_ = 0;
    for (const auto& name : Files())
      if (name.starts_with("whole")) fs::remove(dir_ + name);
    EXPECT_EQ(Files(), before);  // no temporary files, no third picture
    for (const char* name : {"out.flc", "out1.bmp", "out2.bmp"})
      EXPECT_EQ(toolkit::testing::ReadBytes(dir_ + name), old) << name;
  }
  // A series whose last picture is unreadable fails after two frames were written.
  const auto picture = toolkit::testing::PatternFrame(30, 20, 1);
  platform::Image image;
  image.width = 30, image.height = 20;
  image.pixels = picture.pixels;
  image.palette = picture.palette;
  ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), platform::ImageFormat::kPng,
                                       dir_ + "s1.png", image));
  ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), platform::ImageFormat::kPng,
                                       dir_ + "s2.png", image));
  toolkit::testing::WriteBytes(dir_ + "s3.png", {0x89, 'P', 'N', 'G'});
  const auto with_series = Files();
  EXPECT_FALSE(Convert("s?.png*1-3", "out.bmp"));
  EXPECT_TRUE(Logged("error Error reading: " + dir_ + "s3.png"));
  EXPECT_EQ(Files(), with_series);
  EXPECT_EQ(toolkit::testing::ReadBytes(dir_ + "out2.bmp"), old);
}

TEST_F(PixRunTest, OutputsThatAreRefused) {
  EXPECT_FALSE(Convert("walk.flc", "walk.flc"));
  EXPECT_TRUE(Logged("error Output filename must be different than the input filename."));
  EXPECT_FALSE(Convert("walk.flc",
                       "./../" + fs::path(dir_).parent_path().filename().string() + "/walk.flc"));
  EXPECT_FALSE(Convert("walk.flc", "walk.knt"));
  EXPECT_TRUE(Logged("error Unsupported output file type."));
  // Without /O an existing output is only replaced on "yes"; nobody says it here.
  toolkit::testing::WriteBytes(dir_ + "kept.flc", {1, 2, 3});
  EXPECT_FALSE(Convert("walk.flc", "kept.flc", false));
  EXPECT_EQ(toolkit::testing::ReadBytes(dir_ + "kept.flc"), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_FALSE(Convert("walk.flc", "none.flc", true, 9));
  EXPECT_TRUE(Logged("error No frames to convert in the chosen range."));
  EXPECT_EQ(Files(), (std::vector<std::string>{"kept.flc", "walk.flc"}));
}

// Over files in memory: outputs that are files the source reads under another name, above
// all the numbered pictures that would replace a series while it is read.
TEST(PixRunInputs, OutputsThatWouldReplaceWhatIsRead) {
  platform::MemoryFileSystem files;
  const auto picture = toolkit::testing::PatternFrame(12, 10, 2);
  platform::Image image;
  image.width = 12, image.height = 10;
  image.pixels = picture.pixels;
  image.palette = picture.palette;
  for (const char* name : {"/s1.bmp", "/s2.bmp", "/s3.bmp", "/pic.bmp"})
    ASSERT_TRUE(platform::WriteImageFile(files, platform::ImageFormat::kBmp, name, image));
  files.AddFile("/l.lst", "s?.bmp*2-3\n");
  const auto before = files.AllFiles();
  const std::string s2 = *files.Content("/s2.bmp");
  for (const auto& [input, output] :
       {std::pair{"s?.bmp*1-3", "s.bmp"}, std::pair{"l.lst", "s.bmp"},
        std::pair{"s?.bmp*1-3", "s2.bmp"}, std::pair{"pic", "pic.bmp"}}) {
    testing::FaceRecord log;
    auto frame = testing::RecordingFrame("Graphics Processor", log);
    PixSettings s;
    s.input = input;
    s.output = output;
    s.overwrite = true;
    if (std::string(output) == "s2.bmp") s.graphics.end = 1;  // one frame: the name as given
    platform::ManualClock clock;
    EXPECT_FALSE(ConvertGraphics(*frame, s, files, clock)) << input << " " << output;
    EXPECT_EQ(log.lines.back(), "error Output filename must be different than the input filename.");
  }
  EXPECT_EQ(files.AllFiles(), before);
  EXPECT_EQ(*files.Content("/s2.bmp"), s2);
}

}  // namespace
}  // namespace kinet::pix
