// The output writers: numbered names, every picture format read back as a series, the flic
// through the factory, unknown types, the overwrite rule, and abandoned runs that leave
// nothing behind.
#include "toolkit/graphics/graphics_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/graphics_fixtures.h"
#include "toolkit/graphics/graphics_source.h"

namespace kinet::toolkit {
namespace {

namespace fs = std::filesystem;
using testing::PatternFrame;
using testing::Recorder;
using testing::TestFrame;

WriterOptions Options(Recorder& recorder, const std::string& name, uint32_t frames,
                      uint32_t flags = 0) {
  WriterOptions o;
  o.flags = flags;
  o.callbacks = recorder.Callbacks();
  o.frame_rate = -4000;
  o.width = 10, o.pitch = 12, o.height = 6;
  o.frame_count = frames;
  o.name = name;
  return o;
}

// Frames of 10x6 held in lines of 12 bytes, as a source with a wider pitch gives them.
std::vector<std::vector<uint8_t>> PitchedFrames(const std::vector<TestFrame>& frames) {
  std::vector<std::vector<uint8_t>> out;
  for (const auto& f : frames) {
    std::vector<uint8_t> lines(12 * 6, 0xEE);
    for (int y = 0; y < 6; ++y) std::copy_n(&f.pixels[y * 10], 10, &lines[y * 12]);
    out.push_back(lines);
  }
  return out;
}

std::vector<TestFrame> Frames(uint32_t count) {
  std::vector<TestFrame> frames;
  for (uint32_t i = 0; i < count; ++i) frames.push_back(PatternFrame(10, 6, i));
  return frames;
}

bool WriteAll(GraphicsWriter& writer, const std::vector<TestFrame>& frames) {
  const auto lines = PitchedFrames(frames);
  for (size_t i = 0; i < frames.size(); ++i) {
    if (!writer.WriteFrame(frames[i].palette.data(), lines[i].data())) return false;
  }
  return writer.Close();
}

TEST(GraphicsWriterTest, NumberedNames) {
  EXPECT_EQ(NumberedName("out.bmp", 1, 1), "out.bmp");
  EXPECT_EQ(NumberedName("out.bmp", 3, 9), "out3.bmp");
  EXPECT_EQ(NumberedName("out.bmp", 7, 12), "out07.bmp");
  EXPECT_EQ(NumberedName("a/out.tga", 7, 100), "a/out007.tga");
  EXPECT_EQ(NumberedName("out.GIF", 12, 1000), "out0012.GIF");
  EXPECT_EQ(NumberedName("x.y/out.pcx", 1, 10000), "x.y/out00001.pcx");
  EXPECT_EQ(NumberedName("x.y/out", 2, 2), "x.y/out2");
  EXPECT_EQ(ExtensionOf("x.y/out"), "");
}

TEST(GraphicsWriterTest, EveryPictureFormatReadsBackAsASeries) {
  const std::string dir = testing::TestFolder();
  const auto frames = Frames(12);
  for (const char* extension : {".bmp", ".GIF", ".tif", ".pcx", ".tga", ".png"}) {
    SCOPED_TRACE(extension);
    Recorder recorder;
    auto writer = CreateGraphicsWriter(platform::SystemFileSystem(),
                                       Options(recorder, dir + "out" + extension, 12));
    ASSERT_TRUE(writer);
    EXPECT_EQ(writer->output_name(), dir + "out01" + extension);
    ASSERT_TRUE(WriteAll(*writer, frames));
    EXPECT_TRUE(recorder.Said("Writing frame 12 to " + dir + "out12" + extension));
    SourceOptions o;
    auto source =
        GraphicsSource::Open(platform::SystemFileSystem(), o, dir + "out??" + extension + "*1-12");
    ASSERT_TRUE(source);
    for (const auto& f : frames) {
      ASSERT_TRUE(source->NextFrame());
      EXPECT_EQ(source->pixels(), f.pixels);
      EXPECT_EQ(source->palette(), f.palette);
    }
  }
  // More frames than announced: the extra one gets a name of its own.
  Recorder extra;
  auto one = CreateGraphicsWriter(platform::SystemFileSystem(), Options(extra, dir + "one.bmp", 1));
  ASSERT_TRUE(one);
  ASSERT_TRUE(WriteAll(*one, Frames(2)));
  EXPECT_TRUE(fs::exists(dir + "one.bmp"));
  EXPECT_TRUE(fs::exists(dir + "one2.bmp"));

  // JPEG keeps the colours only roughly; the files are there with their numbers.
  Recorder recorder;
  auto jpeg =
      CreateGraphicsWriter(platform::SystemFileSystem(), Options(recorder, dir + "out.jpg", 2));
  ASSERT_TRUE(jpeg);
  ASSERT_TRUE(WriteAll(*jpeg, Frames(2)));
  EXPECT_TRUE(fs::exists(dir + "out1.jpg"));
  EXPECT_TRUE(fs::exists(dir + "out2.jpg"));
}

TEST(GraphicsWriterTest, FlicThroughTheFactory) {
  const std::string dir = testing::TestFolder();
  const auto frames = Frames(3);
  Recorder recorder;
  auto writer =
      CreateGraphicsWriter(platform::SystemFileSystem(), Options(recorder, dir + "anim.FLC", 3));
  ASSERT_TRUE(writer);
  ASSERT_TRUE(WriteAll(*writer, frames));
  auto source =
      GraphicsSource::Open(platform::SystemFileSystem(), SourceOptions{}, dir + "anim.FLC");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->frame_rate(), 40);  // 40 ms, the FLC speed
  for (const auto& f : frames) {
    ASSERT_TRUE(source->NextFrame());
    EXPECT_EQ(source->pixels(), f.pixels);
  }
  EXPECT_FALSE(CreateGraphicsWriter(platform::SystemFileSystem(),
                                    Options(recorder, dir + "no/such/folder/a.flc", 3)));
  // The specified text, then the path and the system's reason.
  EXPECT_EQ(recorder.Errors(),
            std::vector<std::string>{"Error creating the output flic.\r\n" + dir +
                                     "no/such/folder/a.flc: No such file or directory"});
}

TEST(GraphicsWriterTest, UnknownTypes) {
  const std::string dir = testing::TestFolder();
  Recorder loud, quiet;
  EXPECT_FALSE(
      CreateGraphicsWriter(platform::SystemFileSystem(), Options(loud, dir + "out.knt", 2)));
  EXPECT_EQ(loud.Errors(), std::vector<std::string>{"Unsupported output file type."});
  EXPECT_FALSE(CreateGraphicsWriter(platform::SystemFileSystem(),
                                    Options(quiet, dir + "out", 2, kWriterQuietOnOtherTypes)));
  EXPECT_TRUE(quiet.calls.empty());
}

TEST(GraphicsWriterTest, OverwriteAskedDeclinedOrForced) {
  const std::string dir = testing::TestFolder();
  std::ofstream(dir + "out2.pcx") << "earlier";
  Recorder no;
  no.answer = false;
  EXPECT_FALSE(CreateGraphicsWriter(platform::SystemFileSystem(), Options(no, dir + "out.pcx", 3)));
  EXPECT_EQ(no.asked, std::vector<std::string>{dir + "out2.pcx"});
  ASSERT_EQ(no.calls.size(), 1u);
  EXPECT_EQ(no.calls[0].first, ProgressCode::kDeclined);
  EXPECT_EQ(testing::ReadBytes(dir + "out2.pcx").size(), 7u);

  Recorder forced;
  auto writer = CreateGraphicsWriter(platform::SystemFileSystem(),
                                     Options(forced, dir + "out.pcx", 3, kWriterOverwrite));
  ASSERT_TRUE(writer);
  EXPECT_TRUE(forced.asked.empty());
  ASSERT_TRUE(WriteAll(*writer, Frames(3)));
  EXPECT_GT(testing::ReadBytes(dir + "out2.pcx").size(), 7u);
}

TEST(GraphicsWriterTest, AbandonedRunsLeaveNothingNew) {
  const std::string dir = testing::TestFolder();
  std::ofstream(dir + "keep.flc") << "earlier flic";
  std::ofstream(dir + "out1.bmp") << "earlier picture";
  Recorder recorder;
  {
    auto flic = CreateGraphicsWriter(platform::SystemFileSystem(),
                                     Options(recorder, dir + "keep.flc", 2, kWriterOverwrite));
    ASSERT_TRUE(flic);
    const auto frames = Frames(1);
    ASSERT_TRUE(flic->WriteFrame(frames[0].palette.data(), PitchedFrames(frames)[0].data()));
    auto series = CreateGraphicsWriter(platform::SystemFileSystem(),
                                       Options(recorder, dir + "out.bmp", 3, kWriterOverwrite));
    ASSERT_TRUE(series);
    const auto two = PitchedFrames(Frames(2));
    ASSERT_TRUE(series->WriteFrame(frames[0].palette.data(), two[0].data()));
    ASSERT_TRUE(series->WriteFrame(frames[0].palette.data(), two[1].data()));
  }  // dropped without Close: a failed or cancelled run
  std::vector<std::string> left;
  for (const auto& e : fs::directory_iterator(dir)) left.push_back(e.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"keep.flc", "out1.bmp"}));
  EXPECT_EQ(testing::ReadBytes(dir + "keep.flc").size(), 12u);

  // A cancel through the progress text stops the writing.
  Recorder cancelling;
  cancelling.cancel_after = 0;
  auto writer =
      CreateGraphicsWriter(platform::SystemFileSystem(), Options(cancelling, dir + "c.flc", 2));
  ASSERT_TRUE(writer);
  EXPECT_FALSE(WriteAll(*writer, Frames(2)));
}

}  // namespace
}  // namespace kinet::toolkit
