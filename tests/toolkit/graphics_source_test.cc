// The source descriptor over every kind: series, lists with their own ranges, names without
// extension, sound files as blank frames, raw files, video files; ranges, sub-frames,
// progress texts, cancelling, and the error texts.
#include "toolkit/graphics/graphics_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "compressor/animation_writer.h"
#include "platform/bytes/byte_io.h"
#include "platform/files/memory_file_system.h"
#include "platform/images/image.h"
#include "tests/support/avi_test_writer.h"
#include "tests/support/graphics_fixtures.h"
#include "toolkit/graphics/flic_writer.h"

namespace kinet::toolkit {
namespace {

using testing::PatternFrame;
using testing::Recorder;
using testing::TestFrame;

void WritePicture(platform::ImageFormat format, const std::string& path, const TestFrame& f,
                  uint32_t width, uint32_t height) {
  platform::Image image;
  image.width = width, image.height = height, image.pixels = f.pixels, image.palette = f.palette;
  ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), format, path, image));
}

std::vector<TestFrame> WriteFlic(const std::string& path, uint32_t frames) {
  std::vector<TestFrame> out;
  auto writer = FlicWriter::Create(platform::SystemFileSystem(), path, 16, 8, 50);
  for (uint32_t i = 0; i < frames; ++i) {
    out.push_back(PatternFrame(16, 8, i));
    EXPECT_TRUE(writer->WriteFrame(out.back().palette.data(), out.back().pixels.data()));
  }
  EXPECT_TRUE(writer->Close());
  return out;
}

SourceOptions Options(Recorder& recorder) {
  SourceOptions o;
  o.callbacks = recorder.Callbacks();
  o.label = "Copying";
  return o;
}

// Reads every frame; returns the pixels of each.
std::vector<std::vector<uint8_t>> ReadAll(GraphicsSource& source) {
  std::vector<std::vector<uint8_t>> frames;
  while (!source.at_end()) {
    if (!source.NextFrame()) break;
    frames.push_back(source.pixels());
  }
  return frames;
}

TEST(GraphicsSourceTest, NumberedSeriesReadsEachFile) {
  const std::string dir = testing::TestFolder();
  std::vector<TestFrame> frames;
  for (int i = 1; i <= 3; ++i) {
    frames.push_back(PatternFrame(12, 5, i));
    WritePicture(platform::ImageFormat::kBmp, dir + "Exam00" + std::to_string(i) + ".BMP",
                 frames.back(), 12, 5);
  }
  Recorder recorder;
  auto source = GraphicsSource::Open(platform::SystemFileSystem(), Options(recorder),
                                     dir + "Exam???.BMP*1-3");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->kind(), SourceKind::kBmp);
  EXPECT_EQ(source->frame_count(), 3u);
  EXPECT_EQ(source->width(), 12u);
  EXPECT_EQ(source->total_bytes(), 3 * std::filesystem::file_size(dir + "Exam001.BMP"));
  const auto read = ReadAll(*source);
  ASSERT_EQ(read.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(read[i], frames[i].pixels);
  EXPECT_EQ(source->palette(), frames[2].palette);
  EXPECT_TRUE(recorder.Said("Copying frame 3 of 3..."));
  EXPECT_FALSE(source->NextFrame());  // nothing left

  // A file of the series that went missing is reported when its turn comes.
  Recorder second;
  source =
      GraphicsSource::Open(platform::SystemFileSystem(), Options(second), dir + "Exam???.BMP*1-3");
  ASSERT_TRUE(source);
  std::filesystem::remove(dir + "Exam002.BMP");
  EXPECT_TRUE(source->NextFrame());
  EXPECT_FALSE(source->NextFrame());
  EXPECT_EQ(second.Errors(), std::vector<std::string>{"Error reading: " + dir + "Exam002.BMP"});
}

// A series ends before its first missing number: a range of a billion numbers over three files
// is three frames, found without a look at the numbers beyond; counting many files can be
// cancelled.
TEST(GraphicsSourceTest, SeriesEndsAtItsFirstMissingNumber) {
  platform::MemoryFileSystem files;
  platform::Image image;
  image.width = 4, image.height = 2, image.pixels.assign(8, 1);
  std::vector<uint8_t> encoded;
  ASSERT_TRUE(platform::EncodeImage(platform::ImageFormat::kBmp, image, encoded));
  const std::string bmp(encoded.begin(), encoded.end());
  for (uint32_t i = 1; i <= 3000; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "/s%09u.bmp", i);
    if (i != 4) files.AddFile(name, bmp);
  }
  Recorder recorder;
  auto source = GraphicsSource::Open(files, Options(recorder), "/s?????????.bmp*1-999999999");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->frame_count(), 3u);
  EXPECT_TRUE(recorder.Said("The series ends at /s000000003.bmp: /s000000004.bmp is missing."));
  EXPECT_EQ(ReadAll(*source).size(), 3u);
  EXPECT_TRUE(recorder.Errors().empty());
  // From 5 on, 2,996 files are counted; a cancel while counting opens nothing and says nothing
  // more.
  source = GraphicsSource::Open(files, Options(recorder), "/s?????????.bmp*5-999999999");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->frame_count(), 2996u);
  EXPECT_TRUE(recorder.Said("Counting the files of the series: 2048..."));
  Recorder cancelling;
  cancelling.cancel_after = 0;
  EXPECT_FALSE(GraphicsSource::Open(files, Options(cancelling), "/s?????????.bmp*5-6000"));
  EXPECT_TRUE(cancelling.Errors().empty());
  EXPECT_TRUE(cancelling.Said("Counting the files of the series: 1024..."));
}

TEST(GraphicsSourceTest, ListWithCommentsBlankLinesAndRanges) {
  const std::string dir = testing::TestFolder();
  const auto flic = WriteFlic(dir + "walk.flc", 12);
  const TestFrame still = PatternFrame(16, 8, 99);
  WritePicture(platform::ImageFormat::kPcx, dir + "still one.pcx", still, 16, 8);
  std::ofstream(dir + "show.lst") << "# the walk, frames 5 to 9\n"
                                  << "\n"
                                  << "walk.flc /S5 /E9\r\n"
                                  << "   \n"
                                  << "\"still one.pcx\"\n"
                                  << "walk.flc /E2\n";
  Recorder recorder;
  auto source =
      GraphicsSource::Open(platform::SystemFileSystem(), Options(recorder), dir + "show.lst");
  ASSERT_TRUE(source);
  EXPECT_TRUE(recorder.Said("Opening the files in the list..."));
  EXPECT_EQ(source->kind(), SourceKind::kList);
  EXPECT_EQ(source->frame_count(), 8u);
  EXPECT_EQ(source->frame_rate(), 50);
  const auto read = ReadAll(*source);
  ASSERT_EQ(read.size(), 8u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(read[i], flic[4 + i].pixels) << i;
  EXPECT_EQ(read[5], still.pixels);
  EXPECT_EQ(read[6], flic[0].pixels);  // the flic starts over for its second entry
  EXPECT_EQ(read[7], flic[1].pixels);
  EXPECT_TRUE(recorder.Said("Skipping frame 4..."));

  // Rewind gives the same frames again.
  ASSERT_TRUE(source->Rewind());
  EXPECT_EQ(ReadAll(*source), read);

  // The whole range /S and /E apply over the list's frames.
  Recorder ranged_recorder;
  SourceOptions ranged = Options(ranged_recorder);
  ranged.start = 6, ranged.end = 7;
  source = GraphicsSource::Open(platform::SystemFileSystem(), ranged, dir + "show.lst");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->first_index(), 5u);
  EXPECT_EQ(ReadAll(*source), (std::vector<std::vector<uint8_t>>{still.pixels, flic[0].pixels}));
  EXPECT_TRUE(ranged_recorder.Said("Copying frame 6 of 7..."));
}

TEST(GraphicsSourceTest, ListErrors) {
  const std::string dir = testing::TestFolder();
  std::ofstream(dir + "empty.lst") << "# nothing here\n\n";
  std::ofstream(dir + "missing.lst") << "nowhere.flc\n";
  Recorder empty, missing, no_list, no_file;
  EXPECT_FALSE(
      GraphicsSource::Open(platform::SystemFileSystem(), Options(empty), dir + "empty.lst"));
  EXPECT_EQ(empty.Errors(), std::vector<std::string>{"No files in the list file."});
  EXPECT_FALSE(
      GraphicsSource::Open(platform::SystemFileSystem(), Options(missing), dir + "missing.lst"));
  EXPECT_EQ(missing.Errors(), std::vector<std::string>{"Error opening: nowhere.flc"});
  EXPECT_FALSE(
      GraphicsSource::Open(platform::SystemFileSystem(), Options(no_list), dir + "none.LST"));
  EXPECT_EQ(no_list.Errors(), std::vector<std::string>{"Error opening: " + dir + "none.LST"});
  EXPECT_FALSE(
      GraphicsSource::Open(platform::SystemFileSystem(), Options(no_file), dir + "none.gif"));
  EXPECT_EQ(no_file.Errors(), std::vector<std::string>{"Error opening: " + dir + "none.gif"});
}

TEST(GraphicsSourceTest, NameWithoutExtensionIsTriedInOrder) {
  const std::string dir = testing::TestFolder();
  const TestFrame a = PatternFrame(8, 4, 1), b = PatternFrame(8, 4, 2);
  WritePicture(platform::ImageFormat::kTga, dir + "pic.tga", a, 8, 4);
  WritePicture(platform::ImageFormat::kGif, dir + "pic.gif", b, 8, 4);
  Recorder recorder;
  auto source = GraphicsSource::Open(platform::SystemFileSystem(), Options(recorder), dir + "pic");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->kind(), SourceKind::kGif);  // GIF comes before Targa
  ASSERT_TRUE(source->NextFrame());
  EXPECT_EQ(source->pixels(), b.pixels);

  // A flic is recognised by its header, whatever its name.
  WriteFlic(dir + "anim", 3);
  source = GraphicsSource::Open(platform::SystemFileSystem(), Options(recorder), dir + "anim");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->kind(), SourceKind::kFlic);

  // A video file by the library, with ".knt" added.
  encoder::AnimationSettings settings;
  settings.width = 16, settings.height = 8, settings.frame_rate = -5000;
  std::vector<encoder::AnimationFrame> knt_frames(3);
  for (uint32_t i = 0; i < 3; ++i) {
    const TestFrame f = PatternFrame(16, 8, i + 5);
    knt_frames[i].pixels = f.pixels;
    for (int c = 0; c < 768; ++c) knt_frames[i].palette[c] = static_cast<uint8_t>(c * 5);
  }
  ASSERT_EQ(encoder::WriteAnimation(platform::SystemFileSystem(), dir + "movie.knt", settings,
                                    knt_frames),
            encoder::WriteStatus::kOk);
  source = GraphicsSource::Open(platform::SystemFileSystem(), Options(recorder), dir + "movie");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->kind(), SourceKind::kVideoFile);
  EXPECT_EQ(source->frame_rate(), -5000);
  const auto read = ReadAll(*source);
  ASSERT_EQ(read.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(read[i], knt_frames[i].pixels);
  ASSERT_TRUE(source->Rewind());  // for the ring frame and later passes
  EXPECT_EQ(ReadAll(*source), read);
  EXPECT_EQ(source->palette()[3], (15 & 0xFC) | 15 >> 6);  // as stored: 6 bits, widened
  // Skipping to a start frame in a video file.
  SourceOptions from_two = Options(recorder);
  from_two.start = 3;
  source = GraphicsSource::Open(platform::SystemFileSystem(), from_two, dir + "movie.knt");
  ASSERT_TRUE(source);
  EXPECT_EQ(ReadAll(*source), std::vector<std::vector<uint8_t>>{knt_frames[2].pixels});
}

std::vector<uint8_t> WavHeader(uint32_t bytes_per_second, uint32_t data_bytes) {
  std::vector<uint8_t> w = {'R', 'I', 'F', 'F'};
  platform::PutU32(w, 36 + data_bytes);
  for (char c : std::string("WAVEfmt ")) w.push_back(static_cast<uint8_t>(c));
  platform::PutU32(w, 16), platform::PutU16(w, 1), platform::PutU16(w, 2);
  platform::PutU32(w, bytes_per_second / 4), platform::PutU32(w, bytes_per_second);
  platform::PutU16(w, 4), platform::PutU16(w, 16);
  for (char c : std::string("LIST")) w.push_back(static_cast<uint8_t>(c));
  platform::PutU32(w, 3), w.insert(w.end(), {1, 2, 3, 0});  // an odd chunk, padded
  for (char c : std::string("data")) w.push_back(static_cast<uint8_t>(c));
  platform::PutU32(w, data_bytes);
  w.resize(w.size() + data_bytes);
  return w;
}

TEST(GraphicsSourceTest, SoundFileGivesBlankFramesAndRawFileItsFrames) {
  const std::string dir = testing::TestFolder();
  testing::WriteBytes(dir + "ten.wav", WavHeader(44100, 441000));
  Recorder recorder;
  auto source =
      GraphicsSource::Open(platform::SystemFileSystem(), Options(recorder), dir + "ten.wav");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->kind(), SourceKind::kWav);
  EXPECT_EQ(source->frame_count(), 101u);
  EXPECT_EQ(source->frame_rate(), 100);
  ASSERT_TRUE(source->NextFrame());
  EXPECT_EQ(source->pixels(), std::vector<uint8_t>(source->width() * source->height(), 0));

  // A file of 26,460 sound bytes claiming 2 GiB: 7 blank frames, not hours of them, and said.
  std::vector<uint8_t> liar = WavHeader(44100, 26460);
  platform::PutU32At(liar, liar.size() - 26460 - 4, 0x80000000u);
  testing::WriteBytes(dir + "liar.wav", liar);
  source = GraphicsSource::Open(platform::SystemFileSystem(), Options(recorder), dir + "liar.wav");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->frame_count(), 7u);
  EXPECT_TRUE(recorder.Said("The WAV file " + dir +
                            "liar.wav is truncated: 26460 of the 2147483648 sound bytes its "
                            "header gives are there."));

  std::vector<uint8_t> wrong = WavHeader(44100, 100);
  platform::PutU16At(wrong, 20, 2);  // not PCM
  testing::WriteBytes(dir + "adpcm.wav", wrong);
  EXPECT_FALSE(
      GraphicsSource::Open(platform::SystemFileSystem(), Options(recorder), dir + "adpcm.wav"));

  // A raw file: 2 frames of 3x2, lines padded to 4 bytes, each frame after its palette.
  std::vector<uint8_t> raw = {'R', 'A', 'W', 'B'};
  platform::PutU32(raw, 2), platform::PutU32(raw, 3), platform::PutU32(raw, 2);
  platform::PutU32(raw, 4000);
  for (int f = 0; f < 2; ++f) {
    for (int i = 0; i < 768; ++i) raw.push_back(static_cast<uint8_t>(i + f));
    raw.insert(raw.end(), {uint8_t(f), 1, 2, 0xEE, 3, 4, 5, 0xEE});
  }
  testing::WriteBytes(dir + "clip.raw", raw);
  source = GraphicsSource::Open(platform::SystemFileSystem(), Options(recorder), dir + "clip");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->kind(), SourceKind::kRaw);
  EXPECT_EQ(source->frame_rate(), -4000);
  const auto read = ReadAll(*source);
  EXPECT_EQ(read, (std::vector<std::vector<uint8_t>>{{0, 1, 2, 3, 4, 5}, {1, 1, 2, 3, 4, 5}}));
  EXPECT_EQ(source->palette()[0], 1);
  raw.resize(raw.size() - 1);  // the last frame cut short: the header lies
  testing::WriteBytes(dir + "cut.raw", raw);
  EXPECT_FALSE(
      GraphicsSource::Open(platform::SystemFileSystem(), Options(recorder), dir + "cut.raw"));
}

TEST(GraphicsSourceTest, SubFrameHighColourAndCancel) {
  const std::string dir = testing::TestFolder();
  const TestFrame f = PatternFrame(10, 6, 4);
  WritePicture(platform::ImageFormat::kBmp, dir + "p.bmp", f, 10, 6);
  Recorder recorder;
  SourceOptions o = Options(recorder);
  o.sub_frame = {2, 3, 4, 0};  // columns 2-5, lines 3 to the bottom
  auto source = GraphicsSource::Open(platform::SystemFileSystem(), o, dir + "p.bmp");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->width(), 4u);
  EXPECT_EQ(source->height(), 3u);
  ASSERT_TRUE(source->NextFrame());
  for (uint32_t y = 0; y < 3; ++y) {
    for (uint32_t x = 0; x < 4; ++x) {
      EXPECT_EQ(source->pixels()[y * 4 + x], f.pixels[(y + 3) * 10 + x + 2]);
    }
  }
  o.sub_frame = {8, 4, 4, 3};  // reaching past the picture: padded with 0
  source = GraphicsSource::Open(platform::SystemFileSystem(), o, dir + "p.bmp");
  ASSERT_TRUE(source);
  ASSERT_TRUE(source->NextFrame());
  EXPECT_EQ(source->pixels(), (std::vector<uint8_t>{f.pixels[48], f.pixels[49], 0, 0, f.pixels[58],
                                                    f.pixels[59], 0, 0, 0, 0, 0, 0}));
  o.sub_frame = {10, 0, 0, 0};  // nothing left of the picture
  EXPECT_FALSE(GraphicsSource::Open(platform::SystemFileSystem(), o, dir + "p.bmp"));

  // A 24-bit picture arrives as 8-bit frames with its depth noted.
  platform::Image colour;
  colour.width = 2, colour.height = 1, colour.bits = 24;
  colour.pixels = {255, 0, 0, 0, 0, 255};
  ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), platform::ImageFormat::kPng,
                                       dir + "c.png", colour));
  source = GraphicsSource::Open(platform::SystemFileSystem(), Options(recorder), dir + "c.png");
  ASSERT_TRUE(source);
  ASSERT_TRUE(source->NextFrame());
  EXPECT_EQ(source->depth(), 24u);
  const auto& p = source->palette();
  EXPECT_EQ(p[source->pixels()[0] * 3], 255);
  EXPECT_EQ(p[source->pixels()[1] * 3 + 2], 255);

  // The user cancels at the second progress text.
  Recorder cancelling;
  cancelling.cancel_after = 1;
  WritePicture(platform::ImageFormat::kBmp, dir + "Exam001.bmp", f, 10, 6);
  WritePicture(platform::ImageFormat::kBmp, dir + "Exam002.bmp", f, 10, 6);
  source = GraphicsSource::Open(platform::SystemFileSystem(), Options(cancelling),
                                dir + "Exam???.bmp*1-2");
  ASSERT_TRUE(source);
  EXPECT_TRUE(source->NextFrame());
  EXPECT_FALSE(source->NextFrame());
  EXPECT_FALSE(source->at_end());
}

TEST(GraphicsSourceTest, AviFileInEachVideoForm) {
  const std::string dir = testing::TestFolder();
  const TestFrame f = PatternFrame(8, 4, 3);
  std::vector<uint8_t> jpeg;
  platform::Image colour;
  colour.width = 8, colour.height = 4, colour.bits = 24;
  ASSERT_TRUE(colour.Allocate());
  ASSERT_TRUE(platform::EncodeImage(platform::ImageFormat::kJpeg, colour, jpeg));
  struct Form {
    uint32_t bits, compression;
    std::vector<uint8_t> chunk;
  };
  const std::vector<Form> forms = {
      {8, 0, kinet::testing::DibRows(f.pixels, 8, 4, 8)},
      {16, 0, std::vector<uint8_t>(64, 0)},
      {24, 0, std::vector<uint8_t>(96, 0)},
      {32, 0, std::vector<uint8_t>(128, 0)},
      {8, 1, {8, 0, 8, 0, 8, 0, 8, 0, 0, 1}},
      {24, 0x47504A4D, jpeg},
  };
  for (const Form& form : forms) {
    SCOPED_TRACE(form.bits * 1000 + form.compression % 1000);
    kinet::testing::AviVideo v;
    v.width = 8, v.height = 4, v.bits = form.bits, v.compression = form.compression;
    v.scale = 1, v.rate = 25;
    v.palette.assign(f.palette.begin(), f.palette.end());
    v.chunks = {form.chunk, form.chunk};
    testing::WriteBytes(dir + "clip.avi", kinet::testing::MakeAvi(v, nullptr));
    Recorder recorder;
    auto source =
        GraphicsSource::Open(platform::SystemFileSystem(), Options(recorder), dir + "clip");
    ASSERT_TRUE(source);
    EXPECT_EQ(source->kind(), SourceKind::kAvi);
    EXPECT_EQ(source->frame_count(), 2u);
    EXPECT_EQ(source->frame_rate(), -4000);
    const auto read = ReadAll(*source);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(source->depth(), form.bits);
    if (form.bits == 8 && form.compression == 0) {
      EXPECT_EQ(read[1], f.pixels);
      EXPECT_EQ(source->palette(), f.palette);
    }
    if (form.compression == 1) {
      EXPECT_EQ(read[0], std::vector<uint8_t>(32, 0));
    }
  }
}

}  // namespace
}  // namespace kinet::toolkit
