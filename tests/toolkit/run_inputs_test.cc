// What a run reads, as the sources open it: names completed with an extension, list entries,
// the palette file and the members of a numbered series, all refused as outputs; and the
// writer that refuses numbered pictures which would replace a series it reads.
#include "toolkit/run_inputs.h"

#include <gtest/gtest.h>

#include "platform/files/memory_file_system.h"
#include "platform/images/image.h"
#include "tests/support/graphics_fixtures.h"
#include "toolkit/graphics/graphics_source.h"
#include "toolkit/graphics/graphics_writer.h"
#include "toolkit/output_check.h"

namespace kinet::toolkit {
namespace {

using testing::Recorder;

class RunInputsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(files_.MakeDirectory("/d")); }
  void Picture(const std::string& path, uint32_t seed = 1) {
    const testing::TestFrame f = testing::PatternFrame(8, 6, seed);
    platform::Image image;
    image.width = 8, image.height = 6, image.pixels = f.pixels, image.palette = f.palette;
    ASSERT_TRUE(platform::WriteImageFile(files_, platform::ImageFormat::kBmp, path, image));
  }
  std::unique_ptr<GraphicsSource> Open(const std::string& name, const std::string& palette = "") {
    SourceOptions o;
    o.callbacks = recorder_.Callbacks();
    o.label = "Copying";
    o.palette.palette_file = palette;
    auto source = GraphicsSource::Open(inputs_, o, name);
    if (source) inputs_.AddSeries(source->series());
    return source;
  }

  platform::MemoryFileSystem files_;
  RunInputs inputs_{files_};
  Recorder recorder_;
};

TEST_F(RunInputsTest, FilesTheSourcesOpened) {
  Picture("/d/pic.bmp");
  Picture("/d/other.bmp");
  Picture("/d/colours.bmp");
  files_.AddFile("/d/l.lst", "# two pictures\nother.bmp\n/d/pic\n");
  ASSERT_TRUE(files_.ChangeDirectory("/d"));
  ASSERT_TRUE(Open("l.lst", "colours.bmp"));
  // The name as completed, the list itself, its entries and the palette file; the same file
  // by any path.
  for (const char* read : {"/d/pic.bmp", "../d/./pic.bmp", "other.bmp", "l.lst", "colours.bmp"})
    EXPECT_TRUE(inputs_.Holds(read)) << read;
  // The name without its extension is no file; nor are files never opened.
  for (const char* other : {"/d/pic", "pic.knt", "/d/PIC.bmp", "new.knt"})
    EXPECT_FALSE(inputs_.Holds(other)) << other;
  // What is opened for writing is no input.
  ASSERT_TRUE(inputs_.Open("/d/written.bmp", platform::OpenMode::kCreate));
  EXPECT_FALSE(inputs_.Holds("/d/written.bmp"));
}

TEST_F(RunInputsTest, EveryMemberOfASeriesIsAnInputBeforeItIsRead) {
  for (const char* name : {"/d/s01.bmp", "/d/s02.bmp", "/d/s03.bmp"}) Picture(name);
  ASSERT_TRUE(Open("/d/s??.bmp*1-40"));
  for (const char* member : {"/d/s01.bmp", "/d/s03.bmp", "/d/s17.bmp", "/d/./s40.bmp"})
    EXPECT_TRUE(inputs_.Holds(member)) << member;
  // Outside the range, other widths of the number, other names around it.
  for (const char* other : {"/d/s00.bmp", "/d/s41.bmp", "/d/s1.bmp", "/d/s001.bmp", "/d/s0x.bmp",
                            "/d/t01.bmp", "/d/s01.bmpx", "/s01.bmp"})
    EXPECT_FALSE(inputs_.Holds(other)) << other;
}

TEST_F(RunInputsTest, WritersRefuseNumberedOutputsOverASeries) {
  for (const char* name : {"/d/s1.bmp", "/d/s2.bmp", "/d/s3.bmp"}) Picture(name);
  const std::string before = *files_.Content("/d/s2.bmp");
  ASSERT_TRUE(Open("/d/s?.bmp*1-3"));
  WriterOptions w;
  w.flags = kWriterOverwrite;
  w.callbacks = recorder_.Callbacks();
  w.width = w.pitch = 8;
  w.height = 6;
  w.frame_count = 3;
  w.inputs = &inputs_;
  // Three frames to s.bmp give s1.bmp to s3.bmp; one frame keeps the name as given.
  for (const auto& [name, count] : {std::pair{"/d/s.bmp", 3u}, std::pair{"/d/s2.bmp", 1u}}) {
    w.name = name;
    w.frame_count = count;
    recorder_.calls.clear();
    EXPECT_FALSE(CreateGraphicsWriter(files_, w)) << name;
    EXPECT_EQ(recorder_.Errors(), std::vector<std::string>{std::string(kOutputIsInput)}) << name;
  }
  w.name = "/d/t.bmp", w.frame_count = 3;
  EXPECT_TRUE(CreateGraphicsWriter(files_, w));
  EXPECT_EQ(*files_.Content("/d/s2.bmp"), before);
}

}  // namespace
}  // namespace kinet::toolkit
