// Flics: what the writer chooses for each frame, what the reader gives back, a flic made by
// hand with every chunk type the reader handles, and cut or lying files.
#include <gtest/gtest.h>

#include <random>

#include "platform/bytes/byte_io.h"
#include "tests/support/graphics_fixtures.h"
#include "toolkit/graphics/flic_format.h"
#include "toolkit/graphics/flic_reader.h"
#include "toolkit/graphics/flic_writer.h"

namespace kinet::toolkit {
namespace {

using platform::PutU16;
using platform::PutU32;
using platform::PutU8;
using testing::PatternFrame;
using testing::TestFrame;

std::string WriteFlic(const std::string& path, uint32_t width, uint32_t height,
                      const std::vector<TestFrame>& frames, int32_t rate = 70) {
  auto writer = FlicWriter::Create(platform::SystemFileSystem(), path, width, height, rate);
  EXPECT_TRUE(writer);
  for (const auto& f : frames) EXPECT_TRUE(writer->WriteFrame(f.palette.data(), f.pixels.data()));
  EXPECT_TRUE(writer->Close());
  return path;
}

std::unique_ptr<FlicReader> OpenFlic(const std::string& path) {
  platform::InputFile file;
  EXPECT_TRUE(file.Open(platform::SystemFileSystem(), path));
  return FlicReader::Open(std::move(file));
}

// The sub-chunk types of every frame chunk of a flic file.
std::vector<std::vector<uint16_t>> ChunkTypes(const std::string& path) {
  const std::vector<uint8_t> bytes = testing::ReadBytes(path);
  std::vector<std::vector<uint16_t>> frames;
  platform::ByteReader in(bytes, flic::kHeaderSize);
  while (in.remaining() >= flic::kFrameHeaderSize) {
    const size_t start = in.position();
    const uint32_t size = in.U32();
    in.U16();
    const uint32_t chunks = in.U16();
    in.Seek(start + flic::kFrameHeaderSize);
    frames.emplace_back();
    for (uint32_t c = 0; c < chunks; ++c) {
      const size_t at = in.position();
      const uint32_t chunk_size = in.U32();
      frames.back().push_back(in.U16());
      in.Seek(at + chunk_size);
    }
    in.Seek(start + size);
  }
  return frames;
}

void ExpectFrames(FlicReader& reader, const std::vector<TestFrame>& frames) {
  for (size_t i = 0; i < frames.size(); ++i) {
    platform::Image picture;
    ASSERT_GT(reader.Read(picture), 0u) << i;
    EXPECT_EQ(picture.pixels, frames[i].pixels) << i;
    EXPECT_EQ(picture.palette, frames[i].palette) << i;
  }
}

TEST(FlicTest, WriterChoosesEachChunkAndTheReaderGivesTheFramesBack) {
  const std::string dir = testing::TestFolder();
  std::vector<TestFrame> frames = {PatternFrame(64, 40, 0)};
  frames.push_back(frames[0]);  // unchanged: no chunk at all
  frames.push_back(frames[0]);  // a few pixels and one palette entry change: delta
  frames[2].pixels[100] = 1, frames[2].pixels[1001] = 2, frames[2].palette[15] ^= 0xFF;
  TestFrame noise = frames[2];  // nothing to gain: the picture as it is
  std::mt19937 random(3);
  for (auto& v : noise.pixels) v = static_cast<uint8_t>(random());
  frames.push_back(noise);
  const std::string path = WriteFlic(dir + "choices.flc", 64, 40, frames);
  using namespace flic;
  EXPECT_EQ(ChunkTypes(path), (std::vector<std::vector<uint16_t>>{
                                  {kColor256, kByteRun}, {}, {kColor256, kDeltaFlc}, {kFliCopy}}));
  auto reader = OpenFlic(path);
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->frame_count(), 4u);
  EXPECT_EQ(reader->frame_rate(), 70);
  ExpectFrames(*reader, frames);
  ExpectFrames(*reader, {frames[0]});  // after the last frame: the first again

  // 320x200 flics take their deltas in the byte-oriented form.
  std::vector<TestFrame> wide = {PatternFrame(320, 200, 1), PatternFrame(320, 200, 1)};
  wide[1].pixels[320 * 150 + 7] = 9;
  const std::string fli = WriteFlic(dir + "wide.flc", 320, 200, wide);
  EXPECT_EQ(ChunkTypes(fli),
            (std::vector<std::vector<uint16_t>>{{kColor256, kByteRun}, {kDeltaFli}}));
  auto wide_reader = OpenFlic(fli);
  ASSERT_TRUE(wide_reader);
  ExpectFrames(*wide_reader, wide);
}

TEST(FlicTest, DeltasSurviveOddWidthsLongSkipsAndManyChanges) {
  const std::string dir = testing::TestFolder();
  std::mt19937 random(5);
  for (auto [width, height] : {std::pair{601u, 7u}, {320u, 200u}, {5u, 3u}, {1u, 9u}}) {
    std::vector<TestFrame> frames = {PatternFrame(width, height, 2)};
    for (int f = 1; f < 12; ++f) {
      TestFrame next = frames.back();
      const int changes = f % 3 == 0 ? 1 : static_cast<int>(random() % 40);
      for (int k = 0; k < changes; ++k) {
        const size_t at = random() % next.pixels.size();
        const size_t run = 1 + random() % 9;
        for (size_t i = at; i < std::min(at + run, next.pixels.size()); ++i) {
          next.pixels[i] = static_cast<uint8_t>(f % 2 ? random() : 42);
        }
      }
      next.pixels.back() ^= static_cast<uint8_t>(f & 1);  // the last byte of an odd line
      if (f == 4) next.palette[767] = 1;
      frames.push_back(next);
    }
    const std::string path = WriteFlic(dir + "deltas.flc", width, height, frames);
    auto reader = OpenFlic(path);
    ASSERT_TRUE(reader);
    SCOPED_TRACE(width);
    ExpectFrames(*reader, frames);
  }
}

// Sub-chunk helpers for the hand-made flic.
std::vector<uint8_t> Chunk(uint16_t type, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out;
  PutU32(out, static_cast<uint32_t>(6 + data.size())), PutU16(out, type);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

std::vector<uint8_t> Frame(const std::vector<std::vector<uint8_t>>& chunks,
                           uint16_t type = 0xF1FA) {
  std::vector<uint8_t> body;
  for (const auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
  std::vector<uint8_t> out;
  PutU32(out, static_cast<uint32_t>(16 + body.size())), PutU16(out, type);
  PutU16(out, static_cast<uint32_t>(chunks.size()));
  out.resize(16);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

TEST(FlicTest, HandMadeFliWithEveryChunkType) {
  std::vector<uint8_t> file(128, 0);
  platform::PutU16At(file, 4, 0xAF11), platform::PutU16At(file, 6, 6);
  platform::PutU16At(file, 8, 4), platform::PutU16At(file, 10, 3);
  platform::PutU16At(file, 12, 8), platform::PutU32At(file, 16, 7);  // 7/70 seconds
  const std::vector<std::vector<uint8_t>> frames = {
      Frame({}, 0xF100),                                         // a prefix chunk: not a frame
      Frame({Chunk(11, {1, 0, 2, 1, 63, 0, 32}),                 // COLOR_64: skip 2, one entry
             Chunk(16, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}),  // FLI_COPY
             Chunk(18, {1, 2, 3, 4})}),                          // a postage stamp: skipped
      // DELTA_FLI: skip 1 line, 1 line, 2 packets: at 1 copy 9 9; then repeat 5 once.
      Frame({Chunk(12, {1, 0, 1, 0, 2, 1, 2, 9, 9, 0, 0xFF, 5})}),
      // DELTA_FLC: 2 lines; skip 1 line, set the last byte 0x42, 1 packet: word 7 8 at 0;
      // then line 2: 1 packet: skip 2, word 3 4 repeated once.
      Frame({Chunk(7, {2, 0, 0xFF, 0xFF, 0x42, 0x80, 1, 0, 0, 1, 7, 8, 1, 0, 2, 0xFF, 3, 4})}),
      // BYTE_RUN: per line a packet count, then runs: 4 x 6 / -4 literal / 2 x 1, -2 literal.
      Frame({Chunk(15, {1, 4, 6, 1, 0xFC, 1, 2, 3, 4, 2, 2, 1, 0xFE, 5, 5})}),
      Frame({Chunk(13, {})}),  // BLACK
      // COLOR_256: two packets, entries 0 and 3.
      Frame({Chunk(4, {2, 0, 0, 1, 10, 20, 30, 2, 1, 40, 50, 60})}),
  };
  for (const auto& f : frames) file.insert(file.end(), f.begin(), f.end());
  const std::string path = testing::TestFolder() + "hand.fli";
  testing::WriteBytes(path, file);
  auto reader = OpenFlic(path);
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->frame_rate(), -10000);
  const std::vector<std::vector<uint8_t>> pictures = {
      {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
      {0, 1, 2, 3, 4, 9, 9, 5, 8, 9, 10, 11},
      {0, 1, 2, 3, 7, 8, 9, 0x42, 8, 9, 3, 4},
      {6, 6, 6, 6, 1, 2, 3, 4, 1, 1, 5, 5},
      std::vector<uint8_t>(12, 0),
      std::vector<uint8_t>(12, 0),
  };
  platform::Image picture;
  for (size_t i = 0; i < pictures.size(); ++i) {
    ASSERT_GT(reader->Read(picture), 0u) << i;
    EXPECT_EQ(picture.pixels, pictures[i]) << i;
  }
  EXPECT_EQ(picture.palette[6], 255);  // 6-bit 63 widened
  EXPECT_EQ(picture.palette[8], 130);  // 6-bit 32
  EXPECT_EQ(picture.palette[0], 10);
  EXPECT_EQ(picture.palette[11], 60);
}

TEST(FlicTest, CutAndLyingFilesFailCleanly) {
  const std::string dir = testing::TestFolder();
  std::vector<TestFrame> frames = {PatternFrame(24, 10, 0), PatternFrame(24, 10, 1)};
  const std::vector<uint8_t> good = testing::ReadBytes(WriteFlic(dir + "good.flc", 24, 10, frames));
  auto read_all = [&](const std::vector<uint8_t>& bytes) {
    testing::WriteBytes(dir + "bad.flc", bytes);
    auto reader = OpenFlic(dir + "bad.flc");
    if (!reader) return -1;
    int read = 0;  // frames read before the first failure
    platform::Image picture;
    while (read < 4 && reader->Read(picture) > 0) ++read;
    return read;
  };
  EXPECT_EQ(read_all(good), 4);
  for (size_t cut = 0; cut < good.size(); cut += 3) {
    const int read = read_all(std::vector<uint8_t>(good.begin(), good.begin() + cut));
    EXPECT_LT(read, 4) << cut;
    if (cut < 128) {
      EXPECT_EQ(read, -1) << cut;
    }
  }
  std::vector<uint8_t> lying = good;
  platform::PutU32At(lying, 128, 0x7FFFFFF0);  // a frame larger than the file
  EXPECT_EQ(read_all(lying), 0);
  lying = good;
  platform::PutU32At(lying, 128 + 16, 0xFFFF);  // a sub-chunk larger than its frame
  EXPECT_EQ(read_all(lying), 0);
  std::mt19937 random(9);
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> broken = good;
    for (int k = 0; k < 6; ++k) broken[128 + random() % (broken.size() - 128)] = random() & 255;
    read_all(broken);  // whatever it gives, it stays inside its buffers (the sanitizers check)
  }
}

}  // namespace
}  // namespace kinet::toolkit
