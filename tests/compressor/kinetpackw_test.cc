// Whole runs of kinetpackw as a process on generated animations: outputs, messages, exit
// statuses, and the files decoded back with the playback library.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>

#include "kinet/kinet.h"
#include "lib/core/format.h"
#include "platform/images/image.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/avi_test_writer.h"
#include "tests/support/encode_fixtures.h"
#include "tests/support/gif_fixtures.h"
#include "tests/support/graphics_fixtures.h"
#include "tests/support/sound_fixtures.h"
#include "tests/support/tool_runs.h"
#include "toolkit/graphics/flic_writer.h"
#include "toolkit/graphics/graphics_writer.h"
#include "tools/kntsample/sample_animation.h"

namespace kinet {
namespace {

namespace fs = std::filesystem;

using PackRun = testing::ToolRun;

PackRun Pack(const std::string& arguments) { return testing::RunTool(KINETPACKW, arguments); }

class KinetPackW : public ::testing::Test {
 protected:
  void SetUp() override {
    frames_ = sample::BouncingBall(160, 120, 12);
    encoder::AnimationSettings a;
    a.width = 160;
    a.height = 120;
    a.frame_rate = 66;
    dir_ = fs::path(testing::FreshTempPath("source.knt")).parent_path().string();
    source_ = testing::WriteTestFile("source.knt", a, frames_);
  }
  std::string In(const std::string& name) const { return "'" + dir_ + "/" + name + "'"; }
  // The source read back from its file has 6-bit palette components, so that several entries
  // may show the same colour: pictures are compared by the colours they show.
  std::array<uint8_t, 768> Shown(size_t f) const {
    return testing::ShownPalette(frames_[f].palette);
  }

  std::vector<encoder::AnimationFrame> frames_;
  std::string source_, dir_;
};

KinetHeader HeaderOf(const std::string& path) {
  return ParseHeader(testing::ReadWholeFile(path).data());
}

TEST_F(KinetPackW, CompressesAVideoFileAndReportsTheRatio) {
  PackRun run = Pack(In("source.knt") + " " + In("out") + " /N0/K0");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string out = dir_ + "/out.knt";
  EXPECT_TRUE(std::regex_search(
      run.output, std::regex(R"(Kineted in \d+ milliseconds?\.  From \d+ To: )" +
                             std::to_string(fs::file_size(out)) + R"( \(\d+\.\d:1\)\.)")))
      << run.output;
  const auto decoded = testing::DecodeAll(out);
  ASSERT_EQ(decoded.size(), frames_.size());
  size_t wrong = 0;
  for (size_t f = 0; f < frames_.size(); ++f)
    wrong += testing::DifferentColours(decoded[f], frames_[f].pixels, Shown(f));
  EXPECT_LE(wrong, frames_.size() * 160 * 120 / 200);
  EXPECT_EQ(HeaderOf(out).FrameRate, 66);
  // Twice gives the same bytes; an output without /O is only replaced on "yes".
  const std::vector<uint8_t> first = testing::ReadWholeFile(out);
  run = Pack(In("source.knt") + " " + In("out") + " /N0/K0");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("File " + dir_ + "/out.knt exists, overwrite? No."), std::string::npos)
      << run.output;
  ASSERT_EQ(Pack(In("source.knt") + " " + In("out") + " /N0/K0 /O").status, 0);
  EXPECT_EQ(testing::ReadWholeFile(out), first);
}

TEST_F(KinetPackW, UsageAndRefusedOutputs) {
  for (const char* bad : {"/N500", "/N-250", "/Q", "/Y"}) {
    PackRun run = Pack(In("source.knt") + " " + In("x.knt") + " " + bad);
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_NE(run.output.find("Syntax:  Kinet <Input Graphics File>"), std::string::npos);
    EXPECT_NE(run.output.find("StartFrame  EndFrame  DataRate  KeyFrame(0/1)"), std::string::npos);
  }
  // The usage starts by naming what was not understood: a switch as typed, or a third name.
  // (A '/' word that does not read completely as switches is a name, here a third one.)
  PackRun run = Pack(In("source.knt") + " " + In("x.knt") + " /O/Xq");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.output.rfind("Not understood: /O/Xq\n", 0), 0u) << run.output;
  run = Pack(In("source.knt") + " " + In("x.knt") + " -Xq");
  EXPECT_EQ(run.output.rfind("Not understood: -Xq\n", 0), 0u) << run.output;
  run = Pack(In("source.knt") + " " + In("x.knt") + " -L4x");
  EXPECT_EQ(run.output.rfind("Not understood: -L4x\n", 0), 0u) << run.output;
  run = Pack(In("source.knt") + " " + In("x.knt") + " extra.knt");
  EXPECT_EQ(run.output.rfind("Not understood: extra.knt\n", 0), 0u) << run.output;
  EXPECT_EQ(Pack("").output.find("Not understood"), std::string::npos);

  run = Pack(In("source.knt") + " " + In("source.knt") + " /O");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("Output filename must be different than the input filename."),
            std::string::npos);
  EXPECT_EQ(Pack(In("missing.flc") + " " + In("x.knt")).status, 1);
  run = Pack(In("source.knt") + " " + In("x.knt") + " /S12 /V");  // one frame, halved
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("Nothing to compress"), std::string::npos) << run.output;
  EXPECT_FALSE(fs::exists(dir_ + "/x.knt"));
}

TEST_F(KinetPackW, RingFrameEveryOtherFrameAndHeightModes) {
  ASSERT_EQ(Pack(In("source.knt") + " " + In("ring.knt") + " /G /N0 /K0 /F15").status, 0);
  KinetHeader h = HeaderOf(dir_ + "/ring.knt");
  EXPECT_EQ(h.Frames, 12u);
  EXPECT_EQ(h.Flags, KINET_FLAG_RING_FRAME);
  EXPECT_EQ(h.FrameRate, -6666);
  // The ring frame shows frame 0 again after the last one.
  const auto decoded = testing::DecodeAll(dir_ + "/ring.knt");
  ASSERT_EQ(decoded.size(), 13u);
  EXPECT_EQ(testing::DifferentColours(decoded.back(), decoded.front(), Shown(0)), 0u);

  ASSERT_EQ(Pack(In("source.knt") + " " + In("half.knt") + " /V /Z1").status, 0);
  h = HeaderOf(dir_ + "/half.knt");
  EXPECT_EQ(h.Frames, 6u);
  EXPECT_EQ(h.Height, 60u);
  EXPECT_EQ(h.Flags, KINET_FLAG_Y_INTERLACED);
  EXPECT_EQ(testing::DecodeAll(dir_ + "/half.knt").size(), 6u);
}

TEST_F(KinetPackW, AnimatedGifGivesEveryFrameAtItsDelay) {
  std::vector<testing::GifPicture> pictures;
  for (const auto& frame : frames_) {
    testing::GifPicture p;
    p.width = 160, p.height = 120, p.pixels = frame.pixels, p.delay_cs = 8;
    pictures.push_back(std::move(p));
  }
  ASSERT_TRUE(
      testing::WriteAnimatedGif(dir_ + "/ball.gif", 160, 120, frames_[0].palette, pictures));
  PackRun run = Pack(In("ball.gif") + " " + In("ball.knt") + " /N0/K0");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(HeaderOf(dir_ + "/ball.knt").FrameRate, 80);
  const auto decoded = testing::DecodeAll(dir_ + "/ball.knt");
  ASSERT_EQ(decoded.size(), frames_.size());
  for (size_t f = 0; f < frames_.size(); ++f)
    EXPECT_EQ(testing::DifferentColours(decoded[f], frames_[f].pixels, Shown(0)), 0u) << f;
}

TEST_F(KinetPackW, FlicOutputOfTheCompressedFramesReadsBackAsInput) {
  PackRun run = Pack(In("source.knt") + " " + In("lossy.flc") + " /N100");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("Created " + dir_ + "/lossy.flc in "), std::string::npos);
  ASSERT_EQ(Pack(In("lossy.flc") + " " + In("again.knt") + " /N0").status, 0);
  const auto lossy = testing::DecodeAll(dir_ + "/again.knt");
  EXPECT_EQ(lossy.size(), frames_.size());
  // Numbered pictures, one per compressed frame.
  ASSERT_EQ(Pack(In("source.knt") + " " + In("still.bmp") + " /N0/K0").status, 0);
  EXPECT_TRUE(fs::exists(dir_ + "/still01.bmp"));
  EXPECT_TRUE(fs::exists(dir_ + "/still12.bmp"));
  EXPECT_FALSE(fs::exists(dir_ + "/still13.bmp"));
  // /M puts each original frame before its compressed one.
  ASSERT_EQ(Pack(In("source.knt") + " " + In("mixed.flc") + " /M /N100").status, 0);
  ASSERT_EQ(Pack(In("mixed.flc") + " " + In("mixed.knt") + " /N0").status, 0);
  EXPECT_EQ(HeaderOf(dir_ + "/mixed.knt").Frames, 2 * frames_.size());
}

TEST_F(KinetPackW, HintFileForcesKeyFramesAndIsDeletedWhenMarked) {
  const std::string hints = dir_ + "/hints.txt";
  testing::WriteWholeFile(hints, {'5', ' ', '5', ' ', '*', ' ', '1', '\n'});
  ASSERT_EQ(Pack(In("source.knt") + " " + In("hinted.knt") + " /N100/K0 -@*" + hints).status, 0);
  EXPECT_FALSE(fs::exists(hints));
  // A key frame codes every block: its record dwarfs those of the frames around it.
  const std::vector<uint8_t> file = testing::ReadWholeFile(dir_ + "/hinted.knt");
  auto size = [&](size_t f) { return LoadLe32(file.data() + KINET_HEADER_SIZE + 4 * f); };
  EXPECT_GT(size(4), 3 * std::max(size(3), size(5)));
}

// Two frames whose full blocks hold every one of the 65536 pixel pairs leave the full-block
// tree no free value for its three markers: the run ends with the complexity error instead of
// writing a tree the reader would misread, and leaves no file.
TEST_F(KinetPackW, TreeWithoutFreeMarkersEndsWithTheComplexityError) {
  constexpr uint32_t w = 512, h = 128;
  toolkit::WriterOptions o;
  o.width = o.pitch = w;
  o.height = h;
  o.frame_count = 2;
  o.frame_rate = 66;
  o.name = dir_ + "/pairs.flc";
  auto writer = toolkit::CreateGraphicsWriter(platform::SystemFileSystem(), o);
  ASSERT_TRUE(writer);
  std::array<uint8_t, 768> palette;
  for (int c = 0; c < 768; ++c) palette[c] = static_cast<uint8_t>(c * 7);
  std::vector<uint8_t> pixels(size_t{w} * h);
  for (uint32_t f = 0; f < 2; ++f) {
    for (uint32_t i = 0; i < w * h / 2; ++i) {
      const uint32_t pair = f * (w * h / 2) + i;
      pixels[2 * i] = static_cast<uint8_t>(pair);
      pixels[2 * i + 1] = static_cast<uint8_t>(pair >> 8);
    }
    ASSERT_TRUE(writer->WriteFrame(palette.data(), pixels.data()));
  }
  ASSERT_TRUE(writer->Close());
  const PackRun run = Pack(In("pairs.flc") + " " + In("pairs.knt") + " /N0/K0/J1");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("  Complexity error - you must compress at a lower data rate."),
            std::string::npos)
      << run.output;
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(dir_)) files += entry.is_regular_file();
  EXPECT_EQ(files, 2u);  // the source and the flic: no output, no temporary file
}

// A series of 24-bit pictures is quantized to /Q colours from /I on, and the compressed
// frames show about the colours of the pictures.
TEST_F(KinetPackW, HighColourSeriesIsQuantizedIntoItsPaletteRange) {
  constexpr uint32_t w = 64, h = 48;
  std::vector<platform::Image> pictures(3);
  for (uint32_t f = 0; f < 3; ++f) {
    platform::Image& p = pictures[f];
    p.width = w;
    p.height = h;
    p.bits = 24;
    ASSERT_TRUE(p.Allocate());
    for (uint32_t y = 0; y < h; ++y)
      for (uint32_t x = 0; x < w; ++x) {
        uint8_t* px = &p.pixels[(size_t{y} * w + x) * 3];
        px[0] = static_cast<uint8_t>(x * 4);
        px[1] = static_cast<uint8_t>(y * 5 + f * 20);
        px[2] = static_cast<uint8_t>(128);
      }
    ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), platform::ImageFormat::kBmp,
                                         dir_ + "/grad" + std::to_string(f + 1) + ".bmp", p));
  }
  const PackRun run = Pack(In("grad?.bmp*1-3") + " " + In("grad.knt") + " /Q64 /I96 /D2 /N0/K0");
  ASSERT_EQ(run.status, 0) << run.output;
  KinetHandle* k = KinetOpen((dir_ + "/grad.knt").c_str(), 0, -1);
  ASSERT_TRUE(k);
  std::vector<uint8_t> shown(size_t{w} * h);
  KinetToBuffer(k, 0, 0, w, h, shown.data(), 0);
  for (uint32_t f = 0; f < 3; ++f, KinetNextFrame(k)) {
    KinetDoFrame(k);
    uint64_t error = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
      EXPECT_GE(shown[i], 96);
      EXPECT_LT(shown[i], 160);
      // Compared by brightness, the sum of the components, whatever their order in memory.
      const uint8_t* src = &pictures[f].pixels[i * 3];
      const uint8_t* got = &k->Palette[3 * shown[i]];
      error += std::abs(int(src[0]) + src[1] + src[2] - got[0] - got[1] - got[2]);
    }
    EXPECT_LT(error / shown.size(), 40u) << "frame " << f;
  }
  KinetClose(k);
}

// The sound of every frame record of track 0, one after the other.
std::vector<uint8_t> TrackSound(const std::string& path) {
  std::vector<uint8_t> sound;
  KinetHandle* h = KinetOpen(path.c_str(), 0, -1);
  if (!h) return sound;
  std::vector<uint8_t> record(h->AudioSize[0]);
  for (uint32_t i = 0; i < h->Frames; ++i, KinetNextFrame(h)) {
    const uint32_t n = KinetGetTrackData(h, record.data(), KINET_OPEN_TRACK(0));
    sound.insert(sound.end(), record.begin(), record.begin() + n);
  }
  KinetClose(h);
  return sound;
}

TEST_F(KinetPackW, SoundOfAVideoFileDecodesToTheSourceAtLevelZero) {
  testing::TrackSpec tone;
  tone.rate = 11025;
  const std::vector<uint8_t> pcm = testing::ToneBytes(11025);
  tone.per_frame = testing::ShareOut(pcm, 11025, 6600, 12);
  encoder::AnimationSettings a;
  a.width = 160;
  a.height = 120;
  a.frame_rate = 66;
  const std::string in = testing::WriteSoundFile("with_sound.knt", a, frames_, {tone});
  ASSERT_EQ(Pack(In("with_sound.knt") + " " + In("sound_out.knt") + " /N0/K0 /L0").status, 0);
  const KinetHeader h = HeaderOf(dir_ + "/sound_out.knt");
  EXPECT_EQ(h.AudioRate[0], 11025u | KINET_AUDIO_PRESENT | KINET_AUDIO_COMPRESSED);
  // The track lasts as long as the 12 frames (792 ms), rounded up to a sample.
  const std::vector<uint8_t> sound = TrackSound(dir_ + "/sound_out.knt");
  ASSERT_EQ(sound.size(), 8732u);
  // The source ends its sound at the last frame's end, give or take the last few samples; the
  // track is made up to its length with silence.
  EXPECT_TRUE(std::equal(sound.begin(), sound.begin() + 8720, pcm.begin()));

  // Another format: 22050 Hz 16-bit stereo at a lossy level.
  ASSERT_EQ(Pack(In("with_sound.knt") + " " + In("stereo.knt") + " /L5 /R22050 /B16 /C2").status,
            0);
  EXPECT_EQ(HeaderOf(dir_ + "/stereo.knt").AudioRate[0],
            22050u | KINET_AUDIO_PRESENT | KINET_AUDIO_COMPRESSED | KINET_AUDIO_16BIT |
                KINET_AUDIO_STEREO);
  EXPECT_EQ(TrackSound(dir_ + "/stereo.knt").size(), 4 * 17464u);  // 792 ms, whole frames

  ASSERT_EQ(Pack(In("with_sound.knt") + " " + In("silent.knt") + " -L-1").status, 0);
  EXPECT_EQ(HeaderOf(dir_ + "/silent.knt").AudioRate[0], 0u);
  EXPECT_TRUE(TrackSound(dir_ + "/silent.knt").empty());
}

// Pictures of every width: the video file codes them rounded up to whole blocks (the extra
// columns repeating the last one), and picture outputs keep the source's own size; at /N0 an
// 8-bit picture comes back with every index.
TEST_F(KinetPackW, PicturesOfEveryWidthKeepEveryColumn) {
  constexpr uint32_t h = 37;
  for (const uint32_t w : {125u, 126u, 127u}) {
    platform::Image picture;
    picture.width = w, picture.height = h;
    ASSERT_TRUE(picture.Allocate());
    for (int i = 0; i < 768; ++i) picture.palette[i] = static_cast<uint8_t>((i * 29) & 0xFC);
    for (uint32_t y = 0; y < h; ++y)
      for (uint32_t x = 0; x < w; ++x)
        picture.pixels[y * w + x] = static_cast<uint8_t>(x + 7 * (y / 5) + (x >= w - 3 ? 100 : 0));
    // The pictures as each input kind holds them: every picture format, a flic, an AVI file,
    // and a sub-frame of a wider picture.
    std::vector<std::string> inputs;
    for (const char* extension : {".bmp", ".gif", ".tif", ".pcx", ".tga", ".png"}) {
      const std::string name = "w" + std::to_string(w) + extension;
      ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(),
                                           *platform::FormatFromExtension(extension),
                                           dir_ + "/" + name, picture));
      inputs.push_back(In(name));
    }
    auto flic =
        toolkit::FlicWriter::Create(platform::SystemFileSystem(), dir_ + "/w.flc", w, h, 40);
    ASSERT_TRUE(flic && flic->WriteFrame(picture.palette.data(), picture.pixels.data()) &&
                flic->Close());
    inputs.push_back(In("w.flc"));
    testing::AviVideo video{w, h};
    video.palette.assign(picture.palette.begin(), picture.palette.end());
    video.chunks.push_back(testing::DibRows(picture.pixels, w, h, 8));
    testing::WriteWholeFile(dir_ + "/w.avi", testing::MakeAvi(video, nullptr));
    inputs.push_back(In("w.avi"));
    platform::Image wide;
    wide.width = w + 10, wide.height = h;
    ASSERT_TRUE(wide.Allocate());
    wide.palette = picture.palette;
    for (uint32_t y = 0; y < h; ++y)
      std::copy_n(&picture.pixels[y * w], w, &wide.pixels[y * (w + 10) + 4]);
    ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), platform::ImageFormat::kBmp,
                                         dir_ + "/wide.bmp", wide));
    inputs.push_back(In("wide.bmp") + " /X4 /W" + std::to_string(w));

    for (const std::string& input : inputs) {
      SCOPED_TRACE(input);
      ASSERT_EQ(Pack(input + " " + In("w.knt") + " /N0/K0 /O").status, 0);
      const KinetHeader header = HeaderOf(dir_ + "/w.knt");
      EXPECT_EQ(header.Width, 128u);
      EXPECT_EQ(header.Height, 40u);
      fs::remove_all(dir_ + "/frames");
      ASSERT_EQ(testing::RunTool(KNTINFOW, In("w.knt") + " '-D" + dir_ + "/frames'").status, 0);
      const auto frame =
          platform::ReadImageFile(platform::SystemFileSystem(), platform::ImageFormat::kPng,
                                  dir_ + "/frames/frame0001.png");
      ASSERT_TRUE(frame);
      for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < 128; ++x) {
          ASSERT_EQ(frame->pixels[y * 128 + x], picture.pixels[y * w + std::min(x, w - 1)])
              << x << "," << y;
        }
      }
      ASSERT_EQ(Pack(input + " " + In("w.png") + " /N0/K0 /O").status, 0);
      const auto out = platform::ReadImageFile(platform::SystemFileSystem(),
                                               platform::ImageFormat::kPng, dir_ + "/w.png");
      ASSERT_TRUE(out);
      EXPECT_EQ(out->width, w);
      EXPECT_EQ(out->height, h);
      EXPECT_EQ(out->pixels, picture.pixels);
    }
  }
}

}  // namespace
}  // namespace kinet

namespace kinet {
namespace {

// kntinfow's pictures never replace the video file it reads, named like one of them.
TEST_F(KinetPackW, KntInfoWritesNoPictureOverItsInput) {
  fs::create_directory(dir_ + "/dump");
  fs::copy_file(source_, dir_ + "/dump/frame0003.png");
  fs::copy_file(source_, dir_ + "/f05.bmp");
  const std::vector<uint8_t> bytes = testing::ReadWholeFile(source_);
  PackRun run = testing::RunTool(KNTINFOW, In("dump/frame0003.png") + " '-D" + dir_ + "/dump'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("Error: Output filename must be different than the input filename."),
            std::string::npos)
      << run.output;
  run = testing::RunTool(KNTINFOW, In("f05.bmp") + " '-W" + dir_ + "/f.bmp' -O");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("Output filename must be different than the input filename."),
            std::string::npos)
      << run.output;
  EXPECT_EQ(testing::ReadWholeFile(dir_ + "/dump/frame0003.png"), bytes);
  EXPECT_EQ(testing::ReadWholeFile(dir_ + "/f05.bmp"), bytes);
  EXPECT_FALSE(fs::exists(dir_ + "/f01.bmp"));
}

}  // namespace
}  // namespace kinet

namespace kinet {
namespace {

// Header values at their extremes are read, printed and turned into periods without overflow
// (a build with the undefined-behaviour checks traps on any).
TEST_F(KinetPackW, ExtremeFrameRatesAreReportedAndRecompressed) {
  std::vector<uint8_t> bytes = testing::ReadWholeFile(source_);
  struct Case {
    int32_t frame_rate;
    std::string shown;
  };
  for (const Case& c : {Case{INT32_MIN, "Frame rate:  21474836480 us per frame"},
                        Case{-1, "Frame rate:  10 us per frame"},
                        Case{INT32_MAX, "Frame rate:  2147483647 ms per frame"}}) {
    SCOPED_TRACE(c.frame_rate);
    StoreLe32(bytes.data() + 16, static_cast<uint32_t>(c.frame_rate));
    toolkit::testing::WriteBytes(dir_ + "/extreme.knt", bytes);
    PackRun run = testing::RunTool(KNTINFOW, In("extreme.knt") + " -F");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find(c.shown), std::string::npos) << run.output;
    run = Pack(In("extreme.knt") + " " + In("again.knt") + " /O /N0 /K0");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(HeaderOf(dir_ + "/again.knt").FrameRate, c.frame_rate);
  }
  EXPECT_EQ(FramePeriod(INT32_MIN), 2147483648u);
  EXPECT_EQ(FramePeriod(INT32_MAX), UINT32_MAX);  // hours of milliseconds keep the largest
  EXPECT_EQ(FramePeriod(42949672), 4294967200u);
}

}  // namespace
}  // namespace kinet
