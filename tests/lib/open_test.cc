// KinetOpen's flags, reading schemes and statistics.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstring>

#include "kinet/kinet.h"
#include "lib/core/format.h"
#include "lib/core/frame_tables.h"
#include "lib/core/video_trees.h"
#include "lib/playback/library_clock.h"
#include "lib/playback/open_rules.h"
#include "platform/clock/clock.h"
#include "tests/support/animation_fixtures.h"

namespace kinet::testing {
namespace {

// A noisy animation: every block full, so its records are large (about 4 KB each).
std::string NoisyFile(uint32_t frames = 12, int32_t frame_rate = 100) {
  auto anim = SpriteAnimation(64, 64, frames);
  for (uint32_t f = 0; f < frames; ++f)
    for (size_t i = 0; i < anim[f].pixels.size(); ++i)
      anim[f].pixels[i] = static_cast<uint8_t>(i * 31 + f * 17 + (i >> 3) * 7);
  return WriteTestFile("noisy.knt", {64, 64, frame_rate}, anim);
}

// Size and type tables as a file holds them: all sizes, then all types (here the size's low byte).
FrameTables Tables(const std::vector<uint32_t>& sizes) {
  std::vector<uint8_t> bytes(5 * sizes.size());
  for (size_t i = 0; i < sizes.size(); ++i) {
    for (int b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<uint8_t>(sizes[i] >> (8 * b));
    bytes[4 * sizes.size() + i] = static_cast<uint8_t>(sizes[i]);
  }
  return FrameTables(std::move(bytes), static_cast<uint32_t>(sizes.size()));
}

KinetSummaryRecord Summary(KinetHandle* h) {
  KinetSummaryRecord s{};
  KinetSummary(h, &s);
  return s;
}

TEST(OpenRules, ReadAheadSizes) {
  SizeScan scan{1000000, 50000, 3};
  EXPECT_EQ(ReadAheadSize(5000, scan, 10000), 8192u);
  EXPECT_EQ(ReadAheadSize(9000, scan, 10000), 12288u);
  EXPECT_EQ(ReadAheadSize(0, scan, 10000), 8192u);
  EXPECT_EQ(ReadAheadSize(-1, scan, 10000), 53248u);  // busiest second, rounded up
  EXPECT_EQ(ReadAheadSize(-1, scan, 0), 12288u);      // unpaced
  scan.total = 60000;                                  // a quarter of the total limits it
  EXPECT_EQ(ReadAheadSize(-1, scan, 10000), 16384u);
  EXPECT_TRUE(UseReadAhead(12288, 15361 + 3));
  EXPECT_FALSE(UseReadAhead(12288, 15360));  // small files are preloaded
}

TEST(OpenRules, BusiestSecondSkipsTheFirstAndLastWindow) {
  // 10 frames per second, 13 records: windows start at records 1 and 2 only.
  std::vector<uint32_t> sizes = {900, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 50, 900};
  SizeScan scan = ScanSizes(Tables(sizes), 10);
  EXPECT_EQ(scan.total, 1860u);
  EXPECT_EQ(scan.busiest, 59u);
  EXPECT_EQ(scan.busiest_first, 2u);
  EXPECT_EQ(ScanSizes(Tables({5, 6}), 10).busiest, 11u);  // at most a second: the whole file
  EXPECT_EQ(ScanSizes(Tables(std::vector<uint32_t>(11, 1)), 10).busiest, 0u);  // no window
  EXPECT_EQ(FramesPerSecond(0), 100000u);
  EXPECT_EQ(FramesPerSecond(10000), 10u);
  EXPECT_EQ(FramesPerSecond(200000), 1u);
}

TEST(Open, ReadAheadOrPreloadAsTheSizesSay) {
  const std::string path = NoisyFile();
  for (auto [extra, ring] : {std::pair{5000, 8192u}, {9000, 12288u}, {1 << 30, 0u}}) {
    KinetHandle* h = KinetOpen(path.c_str(), 0, extra);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(Summary(h).ReadAheadSize, ring) << extra;
    KinetClose(h);
  }
  KinetHandle* h = KinetOpen(path.c_str(), KINET_OPEN_PRELOAD, 5000);
  EXPECT_EQ(Summary(h).ReadAheadSize, 0u);
  KinetClose(h);
  // A file of a few small records is preloaded by the automatic size.
  auto tiny = SpriteAnimation(16, 16, 3);
  h = KinetOpen(WriteTestFile("tiny.knt", {16, 16, 100}, tiny).c_str(), 0, -1);
  EXPECT_EQ(Summary(h).ReadAheadSize, 0u);
  KinetClose(h);
}

TEST(Open, RingReadsDeliverTheSameFramesAsPreloading) {
  const std::string path = NoisyFile(20);
  KinetHandle* ring = KinetOpen(path.c_str(), KINET_OPEN_FILL_READ_AHEAD, 8192);
  KinetHandle* all = KinetOpen(path.c_str(), KINET_OPEN_PRELOAD, -1);
  ASSERT_TRUE(ring && all);
  std::vector<uint8_t> a(64 * 64), b(64 * 64);
  KinetToBuffer(ring, 0, 0, 64, 64, a.data(), 0);
  KinetToBuffer(all, 0, 0, 64, 64, b.data(), 0);
  for (int f = 0; f < 45; ++f) {  // twice around, and a seek backwards and forwards
    if (f == 30) {
      KinetGoto(ring, 1);
      KinetGoto(all, 1);
    }
    KinetDoFrame(ring);
    KinetDoFrame(all);
    ASSERT_EQ(a, b) << f;
    KinetNextFrame(ring);
    KinetNextFrame(all);
  }
  EXPECT_EQ(ring->ReadError, 0u);
  EXPECT_GT(Summary(ring).ReadAheadPeak, 4096u);  // filled at open, whole blocks only
  EXPECT_LE(Summary(ring).ReadAheadPeak, 8192u);
  KinetClose(ring);
  KinetClose(all);
}

TEST(Open, CallerMemoryIsZeroedNotFreed) {
  const std::string path = NoisyFile(2);
  alignas(8) uint8_t memory[KINET_HANDLE_SIZE] = {};
  std::memcpy(memory, path.c_str(), path.size() + 1);
  KinetHandle* h = KinetOpen(memory, KINET_OPEN_CALLER_MEMORY, -1);
  ASSERT_EQ(static_cast<void*>(h), static_cast<void*>(memory));
  EXPECT_EQ(h->Width, 64u);
  KinetClose(h);
  EXPECT_EQ(std::count(memory, memory + sizeof memory, 0), KINET_HANDLE_SIZE);
}

TEST(Open, DescriptorIsReadFromItsPositionAndLeftOpen) {
  const std::string path = NoisyFile(3);
  std::vector<uint8_t> bytes(100, 0x55);
  auto knt = ReadWholeFile(path);
  bytes.insert(bytes.end(), knt.begin(), knt.end());
  WriteWholeFile(path + ".wrapped", bytes);
  const int fd = ::open((path + ".wrapped").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ::lseek(fd, 100, SEEK_SET);
  KinetHandle* h = KinetOpen(reinterpret_cast<void*>(intptr_t{fd}), KINET_OPEN_DESCRIPTOR, 8192);
  ASSERT_NE(h, nullptr);
  std::vector<uint8_t> buffer(64 * 64);
  KinetToBuffer(h, 0, 0, 64, 64, buffer.data(), 0);
  for (int f = 0; f < 4; ++f, KinetNextFrame(h)) KinetDoFrame(h);
  EXPECT_EQ(h->ReadError, 0u);
  KinetClose(h);
  EXPECT_NE(::fcntl(fd, F_GETFD), -1) << "the caller's descriptor stays open";
  // The same through caller memory holding the descriptor.
  ::lseek(fd, 100, SEEK_SET);
  alignas(8) uint8_t memory[KINET_HANDLE_SIZE] = {};
  const int32_t fd32 = fd;
  std::memcpy(memory, &fd32, 4);
  h = KinetOpen(memory, KINET_OPEN_DESCRIPTOR | KINET_OPEN_CALLER_MEMORY, -1);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->Frames, 3u);
  KinetClose(h);
  ::close(fd);
}

TEST(Open, FrameRateFlagAndPeriodStatistics) {
  EXPECT_EQ(KinetFrameRate(15), -6666);
  const std::string path = NoisyFile(2, 100);
  KinetHandle* h = KinetOpen(path.c_str(), KINET_OPEN_FRAME_RATE, -1);
  EXPECT_EQ(h->FrameRate, -6666);
  EXPECT_EQ(Summary(h).FramePeriod, 6666u);
  KinetClose(h);
  h = KinetOpen(path.c_str(), 0, -1);
  EXPECT_EQ(h->FrameRate, 100);
  EXPECT_EQ(Summary(h).FramePeriod, 10000u);
  KinetClose(h);
  EXPECT_EQ(KinetFrameRate(-10000), -10000);
  EXPECT_EQ(KinetFrameRate(0), 0);
}

TEST(FrameTables, RecordOffsetsAcrossTheKeptOnes) {
  std::vector<uint32_t> sizes(700);
  for (uint32_t i = 0; i < sizes.size(); ++i) sizes[i] = (i * 37) % 101;
  const FrameTables tables = Tables(sizes);
  ASSERT_EQ(tables.count(), 700u);
  EXPECT_EQ(tables.size(699), 699u * 37 % 101);
  EXPECT_EQ(tables.type(699), static_cast<uint8_t>(699u * 37 % 101));
  const RecordOffsets offsets(tables, 1000);
  uint64_t at = 1000;
  for (uint32_t i = 0; i < sizes.size(); at += sizes[i++]) ASSERT_EQ(offsets.at(i), at) << i;
  EXPECT_EQ(offsets.at(700), at);
  EXPECT_EQ(offsets.end(), at);
  EXPECT_EQ(offsets.memory(), 3u * 8);  // records 0, 256 and 512

  const FrameTables empty = Tables({});
  const RecordOffsets none(empty, 104);  // keeps a reference: the tables must outlive it
  EXPECT_EQ(none.at(0), 104u);
  EXPECT_EQ(none.end(), 104u);
  EXPECT_EQ(FrameTables(std::vector<uint8_t>(9), 2).count(), 0u);  // fewer bytes than records
}

// A file announcing a million empty records: each costs its 5 bytes and little more, and the
// handle's memory figure counts what the open really holds.
TEST(Open, ManyEmptyRecordsCostAboutTheirFiveBytes) {
  const std::vector<uint8_t> small = ReadWholeFile(NoisyFile(1));
  const uint32_t records = 1u << 20;
  // The header, zero sizes and types, then the small file's trees and its one record.
  const size_t rest = small.size() - KINET_HEADER_SIZE - 5;
  std::vector<uint8_t> bytes(KINET_HEADER_SIZE + 5ull * records + rest);
  std::copy_n(small.begin(), KINET_HEADER_SIZE, bytes.begin());
  std::memcpy(bytes.data() + 12, &records, 4);  // Frames
  std::copy_n(small.end() - rest, rest, bytes.end() - rest);
  const std::string path = TempPath("empty_records.knt");
  WriteWholeFile(path, bytes);

  const size_t before = mallinfo2().uordblks;
  KinetHandle* h = KinetOpen(path.c_str(), 0, -1);
  ASSERT_NE(h, nullptr);
  const size_t held = mallinfo2().uordblks - before;
  EXPECT_LT(held, 5.2 * records);
  const uint64_t tables = 5ull * records + 4 + records / RecordOffsets::kStride * 8;
  EXPECT_GE(Summary(h).PeakMemory, 1212 + tables);
  EXPECT_GE(Summary(h).PeakMemory + 65536, held);
  KinetGoto(h, records - 3);
  EXPECT_EQ(h->FrameNum, records - 4);
  EXPECT_EQ(h->ReadError, 0u);
  KinetClose(h);
}

TEST(Open, SimulatedReadRateTakesItsTime) {
  platform::ManualClock clock;
  SetLibraryClock(&clock);
  const std::string path = NoisyFile(10);
  const uint32_t bytes = static_cast<uint32_t>(ReadWholeFile(path).size());
  KinetSimulate(10000);
  const uint32_t start = clock.NowMs();
  KinetHandle* h = KinetOpen(path.c_str(), KINET_OPEN_SIMULATE | KINET_OPEN_PRELOAD, -1);
  ASSERT_NE(h, nullptr);
  // The preload alone reads nearly the whole file at 10000 bytes per second.
  EXPECT_GE(clock.NowMs() - start, (bytes - 2048) / 10);
  EXPECT_GE(Summary(h).OpenTime, (bytes - 2048) / 10);
  KinetClose(h);
  SetLibraryClock(nullptr);
}

TEST(Open, MemoryCounterPeaksAtTheLargestAllocation) {
  const std::string path = NoisyFile(6);
  KinetHandle* h = KinetOpen(path.c_str(), KINET_OPEN_PRELOAD, -1);
  ASSERT_NE(h, nullptr);
  const uint64_t records = 6, total = ReadWholeFile(path).size() - 104 - 5 * records - h->TreeSize;
  const uint64_t trees = 29800 + h->MMapSize + h->MClrSize + h->FullSize + h->TypeSize;
  // What the decoded trees hold beyond the sizes of the header counts as well.
  const std::vector<uint8_t> file = ReadWholeFile(path);
  VideoTrees decoded;
  ASSERT_TRUE(decoded.Read(file.data() + 104 + 5 * records, h->TreeSize, ParseHeader(file.data())));
  const uint64_t beyond = std::max<uint64_t>(decoded.TableBytes(), trees) - trees;
  // The tables as read, one kept record offset, the trees.
  const uint64_t base = 1212 + 5 * records + 4 + 8 + trees + beyond;
  const uint64_t scratch = std::max<uint64_t>((h->TreeSize + 4099ull) & ~3ull, 8192);
  EXPECT_EQ(Summary(h).PeakMemory, base + std::max(scratch, total + 8));
  EXPECT_EQ(Summary(h).AverageFrameSize, total / records);
  KinetClose(h);
}

TEST(Open, SummaryCountsFramesAndSlowestFrames) {
  platform::ManualClock clock;
  SetLibraryClock(&clock);
  KinetHandle* h = KinetOpen(NoisyFile(5).c_str(), 0, -1);
  std::vector<uint8_t> buffer(64 * 64);
  KinetToBuffer(h, 0, 0, 64, 64, buffer.data(), 0);
  for (uint32_t f = 0; f < 5; ++f) {
    KinetDoFrame(h);
    clock.Advance(f == 2 ? 50 : f == 3 ? 30 : 10);
    KinetNextFrame(h);
  }
  KinetSummaryRecord s = Summary(h);
  EXPECT_EQ(s.FramesDone, 5u);
  EXPECT_EQ(s.SlowestTime, 50u);
  EXPECT_EQ(s.SlowestFrame, 3u);
  EXPECT_EQ(s.SecondSlowestTime, 30u);
  EXPECT_EQ(s.SecondSlowestFrame, 4u);
  EXPECT_EQ(s.PlayTime, 110u);
  KinetClose(h);
  SetLibraryClock(nullptr);
}

}  // namespace
}  // namespace kinet::testing
