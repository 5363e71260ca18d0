// Wave lists and numbered series of sounds: items one after the other in the list's format,
// per-line trimming, the list's own start passing over whole items, and lists that fail.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/graphics_fixtures.h"
#include "tests/support/sound_input_fixtures.h"
#include "toolkit/sound/sound_open.h"

namespace kinet::toolkit::testing {
namespace {

class SoundListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteWav(folder_ + "a.wav", {.format = {10000, 8, 1}, .pcm = Bytes(1000, 1)});
    WriteWav(folder_ + "b.wav",
             {.format = {20000, 16, 2}, .pcm = Ramp16Stereo(3000, -900, 900, 9)});
    for (int n = 1; n <= 3; ++n) {
      WriteWav(folder_ + "c0" + std::to_string(n) + ".wav",
               {.format = {10000, 8, 1}, .pcm = Bytes(100 * n, n * 50)});
    }
  }
  static std::vector<uint8_t> Bytes(size_t count, int seed) {
    std::vector<uint8_t> out(count);
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<uint8_t>(seed + i * 3);
    return out;
  }
  void WriteList(const std::string& name, const std::string& text) {
    std::ofstream(folder_ + name) << text;
  }
  std::unique_ptr<SoundSource> Open(const std::string& name, SoundOptions options = {}) {
    options.callback = log_.Callback();
    return OpenSoundSource(platform::SystemFileSystem(), options, folder_ + name);
  }
  // What one item gives on its own in `format`.
  std::vector<uint8_t> Item(const std::string& name, const SoundFormat& format, int32_t start = 0,
                            int32_t end = 0) {
    auto source = OpenSoundSource(platform::SystemFileSystem(),
                                  {.start = start,
                                   .end = end,
                                   .rate = int32_t(format.rate),
                                   .bits = int32_t(format.bits),
                                   .channels = int32_t(format.channels)},
                                  folder_ + name);
    EXPECT_NE(source, nullptr) << name;
    return source ? ReadAll(*source) : std::vector<uint8_t>{};
  }
  static void Append(std::vector<uint8_t>& to, const std::vector<uint8_t>& more) {
    to.insert(to.end(), more.begin(), more.end());
  }

  std::vector<std::string> Remarks() const {
    std::vector<std::string> remarks;
    for (const auto& [kind, text] : log_.messages)
      if (kind == SoundMessage::kRemark) remarks.push_back(text);
    return remarks;
  }

  std::string folder_ = TestFolder();
  MessageLog log_;
};

TEST_F(SoundListTest, ItemsFollowEachOtherInTheFirstItemsFormat) {
  WriteList("mix.lst",
            "# a comment\n\n  a.wav  \nmissing.wav\nb.wav /S10 /E50\nc??.wav*1-2\nc?? /S3 /E3\n");
  auto list = Open("mix.lst");
  ASSERT_NE(list, nullptr);
  const SoundFormat format{10000, 8, 1};
  EXPECT_EQ(list->kind(), SoundKind::kList);
  EXPECT_EQ(list->format(), format);
  std::vector<uint8_t> expected = Item("a.wav", format);
  Append(expected, Item("b.wav", format, 10, 50));
  Append(expected, Item("c01.wav", format));
  Append(expected, Item("c02.wav", format));
  Append(expected, Item("c03.wav", format));  // a series line's own /S and /E are its numbers
  EXPECT_EQ(expected.size(), 1000u + 400 + 100 + 200 + 300);
  EXPECT_EQ(list->length(), expected.size());
  EXPECT_EQ(ReadAll(*list, 77), expected);
  ASSERT_TRUE(list->Rewind());
  EXPECT_EQ(ReadAll(*list), expected);
  EXPECT_TRUE(log_.Errors().empty());
}

TEST_F(SoundListTest, CallerFormatIsForcedOnEveryItem) {
  WriteList("two.lst", "b.wav\na.wav\n");
  auto list = Open("two.lst", {.rate = 5000, .bits = 16});
  ASSERT_NE(list, nullptr);
  const SoundFormat format{5000, 16, 2};  // channels from the first item, b.wav
  EXPECT_EQ(list->format(), format);
  std::vector<uint8_t> expected = Item("b.wav", format);
  Append(expected, Item("a.wav", format));
  EXPECT_EQ(ReadAll(*list), expected);
}

TEST_F(SoundListTest, ListStartPassesOverWholeItemsAndStartsInsideTheNext) {
  WriteList("skip.lst", "a.wav\nb.wav\n");
  // a.wav lasts 100 ms: a start of 150 ms passes over it and starts 50 ms into b.wav.
  auto list = Open("skip.lst", {.start = 150, .end = 170});
  ASSERT_NE(list, nullptr);
  const SoundFormat format{10000, 8, 1};
  const auto b = Item("b.wav", format, 50);
  EXPECT_EQ(ReadAll(*list), std::vector<uint8_t>(b.begin(), b.begin() + 200));
}

TEST_F(SoundListTest, ListWhoseEveryLineFailsSaysSo) {
  WriteList("bad.lst", "nothing.wav\n# only this\nnone??.wav*1-5\n");
  EXPECT_EQ(Open("bad.lst"), nullptr);
  WriteList("empty.lst", "");
  EXPECT_EQ(Open("empty.lst"), nullptr);
  EXPECT_EQ(log_.Errors(), (std::vector<std::string>(2, std::string(kNoFilesInWaveList))));
  // A list file that cannot be read fails without a message.
  EXPECT_EQ(Open("absent.lst"), nullptr);
  EXPECT_EQ(log_.Errors().size(), 2u);
}

TEST_F(SoundListTest, SeriesNumbersFromTheStarOrFromStartAndEnd) {
  const SoundFormat format{10000, 8, 1};
  std::vector<uint8_t> two_three = Item("c02.wav", format);
  Append(two_three, Item("c03.wav", format));
  auto star = Open("c??.wav*2-3");
  ASSERT_NE(star, nullptr);
  EXPECT_EQ(ReadAll(*star), two_three);
  // Without a star the start and end are the numbers; the name takes ".wav" when it has no
  // extension.
  auto plain = Open("c??", {.start = 2, .end = 3});
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(ReadAll(*plain), two_three);
  EXPECT_TRUE(log_.Errors().empty());
}

// A series ends before its first missing number, however far its numbers run, and says so.
TEST_F(SoundListTest, SeriesEndsAtItsFirstMissingNumber) {
  const SoundFormat format{10000, 8, 1};
  std::vector<uint8_t> all = Item("c01.wav", format);
  Append(all, Item("c02.wav", format));
  Append(all, Item("c03.wav", format));
  WriteWav(folder_ + "c05.wav", {.format = format, .pcm = Bytes(100, 7)});  // after the gap
  auto series = Open("c??.wav*1-99");
  ASSERT_NE(series, nullptr);
  EXPECT_EQ(ReadAll(*series), all);
  EXPECT_EQ(Remarks(), (std::vector<std::string>{"The series ends at " + folder_ +
                                                 "c03.wav: " + folder_ + "c04.wav is missing."}));
  // A series whose first number has no file gives nothing.
  EXPECT_EQ(Open("c??.wav*4-5"), nullptr);
  EXPECT_EQ(log_.Errors(), (std::vector<std::string>{std::string(kNoFilesInWaveList)}));
}

// A cancel asked for while a series is measured ends the opening with nothing and no message.
TEST_F(SoundListTest, ACancelEndsTheMeasuringOfASeries) {
  int asked = 0;
  EXPECT_EQ(Open("c??.wav*1-3", {.cancelled = [&asked] { return ++asked == 2; }}), nullptr);
  EXPECT_EQ(asked, 2) << "asked before each item, and no more once it says yes";
  EXPECT_TRUE(log_.Errors().empty());
  EXPECT_NE(Open("c??.wav*1-3", {.cancelled = [] { return false; }}), nullptr);
}

// An item shorter than its header claims plays what it holds, and the list says so.
TEST_F(SoundListTest, ACutItemIsRemarked) {
  WriteWav(folder_ + "cut.wav", {.format = {10000, 8, 1}, .pcm = Bytes(1000, 5)});
  std::filesystem::resize_file(folder_ + "cut.wav", 44 + 600);
  WriteList("cut.lst", "a.wav\ncut.wav\n");
  auto list = Open("cut.lst");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ReadAll(*list).size(), 1000u + 600u);
  EXPECT_EQ(Remarks(), (std::vector<std::string>{"The WAV file " + folder_ +
                                                 "cut.wav is truncated: 600 of the 1000 sound "
                                                 "bytes its header gives are there."}));
}

TEST_F(SoundListTest, SeriesWithoutALastNumberIsRefused) {
  EXPECT_EQ(Open("c??.wav"), nullptr);
  EXPECT_EQ(Open("c??.wav", {.start = 1, .end = 0}), nullptr);
  EXPECT_EQ(Open("c??.wav*0"), nullptr);
  EXPECT_EQ(Open("c??.wav*3-0"), nullptr);
  EXPECT_EQ(log_.Errors(), (std::vector<std::string>(4, std::string(kSeriesWithoutEnd))));
  // Inside a list such a line is an item that does not open.
  WriteList("s.lst", "c??.wav\na.wav\n");
  auto list = Open("s.lst");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ReadAll(*list).size(), 1000u);
}

TEST_F(SoundListTest, ListThatNamesItselfEnds) {
  WriteList("self.lst", "self.lst\na.wav\n");
  auto list = Open("self.lst");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ReadAll(*list).size(), 1000u * kMaxListDepth);
}

}  // namespace
}  // namespace kinet::toolkit::testing
