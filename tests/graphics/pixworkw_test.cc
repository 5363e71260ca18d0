// Whole runs of pixworkw as a process: conversions between every input and output kind, read
// back by our readers and by the image libraries; frame ranges, sub-frames, frame rates and
// the colour work; the texts and exit statuses of refused runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "platform/files/file_system.h"
#include "platform/images/image.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/avi_test_writer.h"
#include "tests/support/colour_pictures.h"
#include "tests/support/graphics_fixtures.h"
#include "tests/support/tool_runs.h"
#include "toolkit/graphics/flic_writer.h"
#include "toolkit/graphics/graphics_source.h"
#include "toolkit/graphics/graphics_switches.h"

namespace kinet {
namespace {

namespace fs = std::filesystem;
using platform::Image;
using platform::ImageFormat;
using toolkit::testing::TestFrame;

testing::ToolRun Pix(const std::string& arguments) { return testing::RunTool(PIXWORKW, arguments); }

// An odd width: every format must keep every column.
constexpr uint32_t kW = 37, kH = 23, kFrames = 3;

struct Frame {
  uint32_t width = 0, height = 0;
  std::vector<uint8_t> pixels;
  std::array<uint8_t, 768> palette{};
  bool operator==(const Frame&) const = default;
};

struct Source {
  int32_t frame_rate = 0;
  std::vector<Frame> frames;
};

// Every frame of `name` as the graphics source gives it with `switches` (by default 8-bit
// pictures keep their indices and palettes).
Source ReadAll(const std::string& name, const toolkit::GraphicsSwitches& switches = {}) {
  Source out;
  auto source = toolkit::GraphicsSource::Open(platform::SystemFileSystem(),
                                              toolkit::MakeSourceOptions(switches, {}, ""), name);
  if (!source) return out;
  out.frame_rate = source->frame_rate();
  while (!source->at_end() && source->NextFrame())
    out.frames.push_back({source->width(), source->height(), source->pixels(), source->palette()});
  return out;
}

Image Picture(const TestFrame& f, uint32_t width, uint32_t height) {
  Image image;
  image.width = width, image.height = height;
  image.pixels = f.pixels;
  image.palette = f.palette;
  return image;
}

class PixWorkW : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = toolkit::testing::TestFolder();
    for (uint32_t f = 0; f < kFrames; ++f)
      frames_.push_back(toolkit::testing::PatternFrame(kW, kH, f));
  }
  std::string At(const std::string& name) const { return "'" + dir_ + name + "'"; }

  void WriteFlic(const std::string& name) const {
    auto writer =
        toolkit::FlicWriter::Create(platform::SystemFileSystem(), dir_ + name, kW, kH, 40);
    ASSERT_TRUE(writer);
    for (const auto& f : frames_)
      ASSERT_TRUE(writer->WriteFrame(f.palette.data(), f.pixels.data()));
    ASSERT_TRUE(writer->Close());
  }
  // One input of every kind; returns the names to give pixworkw.
  std::vector<std::string> WriteInputs() const {
    std::vector<std::string> names = {"in.flc"};
    WriteFlic("in.flc");
    const Image still = Picture(frames_[1], kW, kH);
    for (ImageFormat format : {ImageFormat::kBmp, ImageFormat::kGif, ImageFormat::kTiff,
                               ImageFormat::kPcx, ImageFormat::kTga, ImageFormat::kPng}) {
      const std::string name = "in" + std::string(platform::DefaultExtension(format));
      EXPECT_TRUE(
          platform::WriteImageFile(platform::SystemFileSystem(), format, dir_ + name, still));
      names.push_back(name);
    }
    EXPECT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), ImageFormat::kJpeg,
                                         dir_ + "in.jpg", toolkit::testing::DetailPicture(kW, kH)));
    names.push_back("in.jpg");
    for (uint32_t f = 0; f < kFrames; ++f) {
      EXPECT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), ImageFormat::kBmp,
                                           dir_ + "ser" + std::to_string(f + 1) + ".bmp",
                                           Picture(frames_[f], kW, kH)));
    }
    names.push_back("ser?.bmp*1-3");
    std::ofstream(dir_ + "in.lst") << "# two frames of the flic, then a picture\n"
                                   << dir_ << "in.flc /S2 /E3\n\n"
                                   << dir_ << "in.png\n";
    names.push_back("in.lst");
    testing::AviVideo video{kW, kH};
    video.palette.assign(frames_[0].palette.begin(), frames_[0].palette.end());
    for (const auto& f : frames_) video.chunks.push_back(testing::DibRows(f.pixels, kW, kH, 8));
    toolkit::testing::WriteBytes(dir_ + "in.avi", testing::MakeAvi(video, nullptr));
    names.push_back("in.avi");
    encoder::AnimationSettings a;
    a.width = 32, a.height = 24, a.frame_rate = 66;
    const std::string knt =
        testing::WriteTestFile("in.knt", a, testing::SpriteAnimation(32, 24, kFrames, 2));
    fs::copy_file(knt, dir_ + "in.knt");
    names.push_back("in.knt");
    return names;
  }

  std::string dir_;
  std::vector<TestFrame> frames_;
};

// The output's frames: a flic, one picture, or the numbered pictures of several frames.
Source ReadOutput(const std::string& dir, const std::string& extension, size_t frames) {
  if (extension == ".flc") return ReadAll(dir + "out.flc");
  if (frames == 1) return ReadAll(dir + "out" + extension);
  return ReadAll(dir + "out?" + extension + "*1-" + std::to_string(frames));
}

TEST_F(PixWorkW, EveryInputKindToEveryOutputKind) {
  for (const std::string& input : WriteInputs()) {
    const Source expected = ReadAll(dir_ + input);
    ASSERT_FALSE(expected.frames.empty()) << input;
    for (const std::string extension :
         {".flc", ".bmp", ".gif", ".tif", ".pcx", ".tga", ".png", ".jpg"}) {
      SCOPED_TRACE(input + " to " + extension);
      const testing::ToolRun run = Pix(At(input) + " " + At("out" + extension) + " /O");
      ASSERT_EQ(run.status, 0) << run.output;
      const Source got = ReadOutput(dir_, extension, expected.frames.size());
      ASSERT_EQ(got.frames.size(), expected.frames.size());
      for (size_t f = 0; f < got.frames.size(); ++f) {
        EXPECT_EQ(got.frames[f].width, expected.frames[f].width);
        EXPECT_EQ(got.frames[f].height, expected.frames[f].height);
        // JPEG keeps colours, not indices.
        if (extension != ".jpg") EXPECT_TRUE(got.frames[f] == expected.frames[f]) << "frame " << f;
      }
      if (extension == ".flc" || extension == ".jpg") continue;
      // The pictures as the image libraries read them: 8-bit, the same indices and palette.
      const auto format = platform::FormatFromExtension(extension);
      for (size_t f = 0; f < expected.frames.size(); ++f) {
        const std::string name =
            dir_ + "out" + (expected.frames.size() > 1 ? std::to_string(f + 1) : "") + extension;
        const auto picture = platform::ReadImageFile(platform::SystemFileSystem(), *format, name);
        ASSERT_TRUE(picture) << name;
        EXPECT_EQ(picture->bits, 8u);
        EXPECT_EQ(picture->pixels, expected.frames[f].pixels);
        EXPECT_EQ(picture->palette, expected.frames[f].palette);
      }
    }
  }
}

TEST_F(PixWorkW, FrameRangeSubFrameAndFrameRate) {
  WriteFlic("walk.flc");
  const Source walk = ReadAll(dir_ + "walk.flc");
  ASSERT_EQ(walk.frame_rate, 40);
  ASSERT_EQ(Pix(At("walk.flc") + " " + At("range") + " /S2 /E3 /F0").status, 0);
  Source got = ReadAll(dir_ + "range.flc");  // ".flc" appended
  EXPECT_EQ(got.frame_rate, 40);
  ASSERT_EQ(got.frames.size(), 2u);
  EXPECT_TRUE(got.frames[0] == walk.frames[1]);
  EXPECT_TRUE(got.frames[1] == walk.frames[2]);

  // /F10: ten frames per second, stored as 100 ms per frame.
  ASSERT_EQ(Pix(At("walk.flc") + " " + At("cut.flc") + " /F10 /X5/Y3 /W20/H10").status, 0);
  got = ReadAll(dir_ + "cut.flc");
  EXPECT_EQ(got.frame_rate, 100);
  ASSERT_EQ(got.frames.size(), kFrames);
  for (size_t f = 0; f < kFrames; ++f) {
    ASSERT_EQ(got.frames[f].width, 20u);
    ASSERT_EQ(got.frames[f].height, 10u);
    for (uint32_t y = 0; y < 10; ++y) {
      for (uint32_t x = 0; x < 20; ++x) {
        ASSERT_EQ(got.frames[f].pixels[y * 20 + x], frames_[f].pixels[(y + 3) * kW + x + 5])
            << f << " " << x << "," << y;
      }
    }
  }
}

// Colours of `frame` used by its pixels.
std::set<std::array<uint8_t, 3>> UsedColours(const Frame& frame) {
  std::set<std::array<uint8_t, 3>> colours;
  for (uint8_t i : frame.pixels)
    colours.insert({frame.palette[3 * i], frame.palette[3 * i + 1], frame.palette[3 * i + 2]});
  return colours;
}

TEST_F(PixWorkW, HighColourInputIsQuantizedWithAndWithoutHalftoning) {
  for (uint32_t f = 0; f < kFrames; ++f) {
    Image picture = toolkit::testing::DetailPicture(64 + f, 48);
    ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), ImageFormat::kPng,
                                         dir_ + "hc" + std::to_string(f + 1) + ".png", picture));
  }
  const std::string series = At("hc?.png*1-3");
  ASSERT_EQ(Pix(series + " " + At("plain.flc") + " /Q64 /I20 /T2").status, 0);
  ASSERT_EQ(Pix(series + " " + At("dots.flc") + " /Q64 /I20 /T1").status, 0);
  const Source plain = ReadAll(dir_ + "plain.flc"), dots = ReadAll(dir_ + "dots.flc");
  ASSERT_EQ(plain.frames.size(), kFrames);
  ASSERT_EQ(dots.frames.size(), kFrames);
  for (const Source* s : {&plain, &dots}) {
    for (const Frame& frame : s->frames) {
      for (uint8_t i : frame.pixels) ASSERT_TRUE(i >= 20 && i < 84) << int{i};
      EXPECT_GT(UsedColours(frame).size(), 16u);
    }
  }
  EXPECT_NE(plain.frames[0].pixels, dots.frames[0].pixels);
  // What the graphics source gives with the same switches is what was written.
  toolkit::GraphicsSwitches q;
  q.palette.colours = 64, q.palette.start_index = 20, q.palette.halftone = 2;
  const Source direct = ReadAll(dir_ + "hc?.png*1-3", q);
  ASSERT_EQ(direct.frames.size(), kFrames);
  EXPECT_TRUE(direct.frames[2] == plain.frames[2]);

  // A palette taken from a picture of greys gives grey frames.
  Image greys = toolkit::testing::IndexedPicture(32, 32, toolkit::testing::GreyPalette(255));
  ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), ImageFormat::kBmp,
                                       dir_ + "greys.bmp", greys));
  ASSERT_EQ(Pix(series + " " + At("grey.png") + " /Q32 /D2 '-&" + dir_ + "greys.bmp'").status, 0);
  const Source grey = ReadAll(dir_ + "grey?.png*1-3");
  ASSERT_EQ(grey.frames.size(), kFrames);
  for (const Frame& frame : grey.frames)
    for (const auto& c : UsedColours(frame)) EXPECT_TRUE(c[0] == c[1] && c[1] == c[2]);
}

// The terminal face's text for the message boxes: CR LF become LF, each box ends a line.
std::string AsOnTheTerminal(std::string text) {
  for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text.back() == '\n' ? text : text + "\n";
}

TEST_F(PixWorkW, UsageAndRefusedRuns) {
  WriteFlic("walk.flc");
  for (const std::string& line : {At("walk.flc") + " " + At("x.flc") + " /N5", At("walk.flc"),
                                  At("walk.flc") + " " + At("x.flc") + " /Q"}) {
    const testing::ToolRun run = Pix(line);
    EXPECT_EQ(run.status, 2) << line;
    EXPECT_EQ(
        run.output,
        AsOnTheTerminal(
            "Syntax:  PixWork <Input Graphics File> <Output Graphics File> [/Switches]\r\n"
            "\r\n"
            "  Under Windows, input graphics files can be flics, AVIs, JPEGs, BMPs,\r\n"
            "    TGAs, TIFs, GIFs, PCXs, Kinets or Lists. \r\n"
            "\r\n"
            "  Under DOS, input files can be flics, Kinets, or Lists.\r\n"
            "\r\n"
            "  You can process a series of input graphics files by specifing the input\r\n"
            "    filename with this type of syntax:  \"Exam???.BMP*1-149\".  This filename\r\n"
            "    would cause \"Exam001.BMP\" through \"Exam149.BMP\" to be processed.\r\n"
            "\r\n"
            "  List files are simply text files that contain a list of files to be\r\n"
            "    processed.  You should list one graphics file or series per line.\r\n"
            "    In addition, you can use /S and /E switches on each line to specify a\r\n"
            "    subset of frames in each graphics file to process.  List files must have\r\n"
            "    an .LST extension.\r\n") +
            AsOnTheTerminal("\r\nSwitches:\r\n"
                            "  /Q# - Number of colors to shrink (quantize) to.\r\n"
                            "  /I# - Index to start the new palette at (default=centered).\r\n"
                            "  /U# - How often to write out a new palette (in frames).\r\n"
                            "  /T# - Halftone control:\r\n"
                            "        /T0 - Halftone input file if it contains high-color graphics "
                            "(default).\r\n"
                            "        /T1 - Always halftone the input file.\r\n"
                            "        /T2 - Never halftone the input file.\r\n"
                            "  /D# - Windows system colors control:\r\n"
                            "        /D0 - Copy Windows system colors if a new palette is created "
                            "(default).\r\n"
                            "        /D1 - Always copy in the Windows system colors.\r\n"
                            "        /D2 - Never copy in the Windows system colors.\r\n"
                            "  /P# - 8-bit input file palette control:\r\n"
                            "        /P0 - Copy the existing 8-bit input palettes (default).\r\n"
                            "        /P1 - Create a new best-case palette.\r\n"
                            "        /P2 - Create new best-case palettes whenever the input "
                            "palette changes.\r\n"
                            "  /X# - Specifies the sub-frame left coordinate.\r\n"
                            "  /Y# - Specifies the sub-frame top coordinate.\r\n"
                            "  /W# - Specifies the sub-frame width.\r\n"
                            "  /H# - Specifies the sub-frame height.\r\n"
                            "  /S# - Specifies the starting frame.\r\n"
                            "  /E# - Specifies the ending frame.\r\n"
                            "  /F# - Override the output frame rate.\r\n"
                            "  /O  - Automatically overwrite the output file.\r\n"
                            "  /&filename - Specifies a file to get the palette from."));
  }
  testing::ToolRun run = Pix(At("walk.flc") + " " + At("out.avi"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("Unsupported output file type.\n"), std::string::npos) << run.output;
  run = Pix(At("walk.flc") + " " + At("walk.flc") + " /O");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("Output filename must be different than the input filename.\n"),
            std::string::npos);
  run = Pix(At("missing.flc") + " " + At("out.flc"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("Error opening: " + dir_ + "missing.flc\n"), std::string::npos);
  // Without /O, nobody at the terminal says yes: the earlier output stays.
  toolkit::testing::WriteBytes(dir_ + "kept.flc", {1, 2, 3});
  run = Pix(At("walk.flc") + " " + At("kept.flc"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("File " + dir_ + "kept.flc exists, overwrite? No.\n"),
            std::string::npos);
  EXPECT_EQ(toolkit::testing::ReadBytes(dir_ + "kept.flc"), (std::vector<uint8_t>{1, 2, 3}));
  run = Pix(At("walk.flc") + " " + At("new.flc"));
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find("Created " + dir_ + "new.flc in "), std::string::npos);
  std::set<std::string> files;
  for (const auto& entry : fs::directory_iterator(dir_)) files.insert(entry.path().filename());
  EXPECT_EQ(files, (std::set<std::string>{"kept.flc", "new.flc", "walk.flc"}));
}

}  // namespace
}  // namespace kinet
