// The sound source on files: WAV headers, raw PCM, trimming, format conversion, the end of
// inputs that lie about their length, and the progress texts.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/graphics_fixtures.h"
#include "tests/support/sound_input_fixtures.h"
#include "toolkit/sound/sound_switches.h"

namespace kinet::toolkit::testing {
namespace {

constexpr SoundFormat kCd{44100, 16, 2};

class SoundSourceTest : public ::testing::Test {
 protected:
  std::unique_ptr<SoundSource> Open(const std::string& name, SoundOptions options = {}) {
    options.callback = log_.Callback();
    return OpenSoundSource(platform::SystemFileSystem(), options, folder_ + name);
  }
  std::vector<uint8_t> OpenAndRead(const std::string& name, SoundOptions options = {}) {
    auto source = Open(name, options);
    EXPECT_NE(source, nullptr) << name;
    return source ? ReadAll(*source) : std::vector<uint8_t>{};
  }

  std::string folder_ = TestFolder();
  MessageLog log_;
};

TEST_F(SoundSourceTest, WavChunksAroundAndInsideTheFormatArePassedOver) {
  const auto pcm = Ramp16Stereo(500, -300, 300, 7);
  WriteWav(folder_ + "long_fmt.wav", {.format = kCd,
                                      .pcm = pcm,
                                      .format_extra = 5,
                                      .chunk_before_format = true,
                                      .chunk_before_data = true});
  auto source = Open("long_fmt.wav");
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->kind(), SoundKind::kFile);
  EXPECT_EQ(source->input_format(), kCd);
  EXPECT_EQ(source->format(), kCd);
  EXPECT_EQ(ReadAll(*source), pcm);
}

TEST_F(SoundSourceTest, FormatTagOtherThanPcmIsNoWavFile) {
  WriteWav(folder_ + "adpcm.wav", {.format = {11025, 8, 1}, .pcm = {1, 2, 3}, .tag = 2});
  EXPECT_EQ(Open("adpcm.wav"), nullptr);
  EXPECT_EQ(log_.Errors(), std::vector<std::string>{std::string(kErrorOpeningInput)});
}

TEST_F(SoundSourceTest, NameWithoutExtensionIsTriedAsWav) {
  WriteWav(folder_ + "song.wav", {.format = {8000, 8, 1}, .pcm = {10, 20, 30}});
  EXPECT_EQ(OpenAndRead("song"), (std::vector<uint8_t>{10, 20, 30}));
}

TEST_F(SoundSourceTest, StartAndEndInMilliseconds) {
  // Three and a half seconds whose every byte tells its place.
  std::vector<uint8_t> pcm(kCd.bytes_per_second() * 7 / 2);
  for (size_t i = 0; i < pcm.size(); ++i) pcm[i] = static_cast<uint8_t>(i * 7 / 4);
  WriteWav(folder_ + "cd.wav", {.format = kCd, .pcm = pcm});

  const auto two_seconds = OpenAndRead("cd.wav", {.start = 1000, .end = 3000});
  ASSERT_EQ(two_seconds.size(), 176400u * 2);
  EXPECT_TRUE(std::equal(two_seconds.begin(), two_seconds.end(), pcm.begin() + 176400));

  // An end below the start is ignored: everything from 3 seconds on.
  const auto rest = OpenAndRead("cd.wav", {.start = 3000, .end = 1000});
  EXPECT_TRUE(std::equal(rest.begin(), rest.end(), pcm.begin() + 3 * 176400, pcm.end()));
  EXPECT_EQ(rest.size(), pcm.size() - 3 * 176400);

  // Negative values count milliseconds by their magnitude when the input has no frames; a
  // start beyond the end of the sound is ignored.
  EXPECT_EQ(OpenAndRead("cd.wav", {.start = -1000, .end = -3000}), two_seconds);
  EXPECT_EQ(OpenAndRead("cd.wav", {.start = 9000}), pcm);
  EXPECT_EQ(OpenAndRead("cd.wav", {.end = 1}).size(), 176u);
}

TEST_F(SoundSourceTest, ForcedRawTypeReadsTheWholeFileFromTheSkip) {
  std::vector<uint8_t> bytes(44, 0x55);
  const auto pcm = Ramp16Stereo(100, 5, -5, 3);
  bytes.insert(bytes.end(), pcm.begin(), pcm.end());
  WriteBytes(folder_ + "take.pcm", bytes);
  std::vector<std::string> words = {"/Y4", "/D22050", "/K44"};
  SwitchLine line(words, SoundSwitchTable("YDK"));
  auto source = Open("take.pcm", ReadSoundSwitches(line, "YDK"));
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->input_format(), (SoundFormat{22050, 16, 2}));
  EXPECT_EQ(source->length(), pcm.size());
  EXPECT_EQ(ReadAll(*source), pcm);

  // A skip beyond the file leaves its last byte.
  EXPECT_EQ(OpenAndRead("take.pcm", {.raw_type = 8000 * 8, .skip = 1000000}),
            std::vector<uint8_t>{bytes.back()});
}

TEST_F(SoundSourceTest, LowerRateAveragesAndHigherRateInterpolates) {
  WriteWav(folder_ + "22k.wav",
           {.format = {22050, 16, 1}, .pcm = Pcm16({100, 300, -50, -150, 7, 8})});
  EXPECT_EQ(Samples16(OpenAndRead("22k.wav", {.rate = 11025})),
            (std::vector<int16_t>{200, -100, 7}));

  WriteWav(folder_ + "11k.wav", {.format = {11025, 16, 1}, .pcm = Pcm16({0, 1000, 3000, -1})});
  EXPECT_EQ(Samples16(OpenAndRead("11k.wav", {.rate = 22050})),
            (std::vector<int16_t>{0, 500, 1000, 2000, 3000, 1499, -1}));
}

TEST_F(SoundSourceTest, SampleSizeAndChannelConversion) {
  // 16-bit stereo to 8-bit mono: (L + R) / 2 / 256 + 128.
  WriteWav(folder_ + "st16.wav",
           {.format = {8000, 16, 2},
            .pcm = Pcm16({1000, 3000, -1000, -3001, 32767, 32767, -32768, -32768, 600, -600})});
  EXPECT_EQ(OpenAndRead("st16.wav", {.bits = 8, .channels = 1}),
            (std::vector<uint8_t>{135, 121, 255, 0, 128}));

  // 8-bit mono to 16-bit stereo: b x 256 - 32768 on both sides.
  WriteWav(folder_ + "mono8.wav", {.format = {8000, 8, 1}, .pcm = {0, 128, 255}});
  EXPECT_EQ(Samples16(OpenAndRead("mono8.wav", {.bits = 16, .channels = 2})),
            (std::vector<int16_t>{-32768, -32768, 0, 0, 32512, 32512}));

  // Values outside the choices keep the input's own.
  auto source = Open("mono8.wav", {.rate = -5, .bits = 12, .channels = 3});
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->format(), (SoundFormat{8000, 8, 1}));
}

TEST_F(SoundSourceTest, DataLengthBeyondTheFileEndsTheSoundWithWhatWasThere) {
  const auto pcm = Ramp16Stereo(1200, 0, 1, 1);
  WriteWav(folder_ + "lies.wav", {.format = kCd, .pcm = pcm, .data_length = 4000000});
  auto source = Open("lies.wav", {.rate = 22050});
  ASSERT_NE(source, nullptr);
  // Cut to the bytes there are, and said: a progress bar and a length of what is there.
  EXPECT_EQ(source->length(), pcm.size());
  ASSERT_FALSE(log_.messages.empty());
  EXPECT_EQ(log_.messages.back(),
            std::pair(SoundMessage::kRemark, "The WAV file " + folder_ +
                                                 "lies.wav is truncated: 4800 of the 4000000 "
                                                 "sound bytes its header gives are there."));
  EXPECT_EQ(ReadAll(*source, 333).size(), 600u * 4);
  ASSERT_TRUE(source->Rewind());
  EXPECT_EQ(ReadAll(*source).size(), 600u * 4);
  EXPECT_EQ(OpenAndRead("lies.wav"), pcm);
  // Cut inside a frame: the whole frames there are; a whole file says nothing.
  std::vector<uint8_t> cut(pcm.begin(), pcm.begin() + 4801);
  WriteWav(folder_ + "cut.wav", {.format = kCd, .pcm = cut, .data_length = 4804});
  EXPECT_EQ(OpenAndRead("cut.wav"), std::vector<uint8_t>(pcm.begin(), pcm.begin() + 4800));
  log_.messages.clear();
  WriteWav(folder_ + "whole.wav", {.format = kCd, .pcm = pcm});
  EXPECT_EQ(OpenAndRead("whole.wav"), pcm);
  for (const auto& [kind, text] : log_.messages) EXPECT_NE(kind, SoundMessage::kRemark) << text;
}

TEST_F(SoundSourceTest, ReadsGiveWholeFramesAndReportProgress) {
  const auto pcm = Ramp16Stereo(1000, 0, 0, 1);
  WriteWav(folder_ + "p.wav", {.format = kCd, .pcm = pcm});
  auto source = Open("p.wav");
  ASSERT_NE(source, nullptr);
  uint8_t buffer[3000];
  EXPECT_EQ(source->Read(buffer, 7), 4u);
  EXPECT_EQ(source->Read(buffer, 3), 0u);
  EXPECT_FALSE(source->at_end());
  EXPECT_EQ(source->Read(buffer, sizeof buffer), 3000u);
  EXPECT_EQ(source->Read(buffer, sizeof buffer), pcm.size() - 3004);
  EXPECT_TRUE(source->at_end());
  ASSERT_EQ(log_.messages.size(), 4u);
  EXPECT_EQ(log_.messages[0], std::make_pair(SoundMessage::kFirstProgress,
                                             std::string("Processing sound data (0%)...")));
  EXPECT_EQ(log_.messages[3], std::make_pair(SoundMessage::kProgress,
                                             std::string("Processing sound data (100%)...")));

  ASSERT_TRUE(source->Rewind());
  EXPECT_EQ(ReadAll(*source), pcm);
  EXPECT_EQ(log_.messages[4].first, SoundMessage::kFirstProgress);
}

TEST_F(SoundSourceTest, InputThatIsNothingKnownFails) {
  WriteBytes(folder_ + "noise.bin", std::vector<uint8_t>(300, 0x42));
  EXPECT_EQ(Open("noise.bin"), nullptr);
  EXPECT_EQ(Open("missing"), nullptr);
  EXPECT_EQ(log_.Errors(), (std::vector<std::string>{std::string(kErrorOpeningInput),
                                                     std::string(kErrorOpeningInput)}));
  // An unusable PCM format is no WAV file either.
  WriteWav(folder_ + "24bit.wav", {.format = {8000, 24, 1}, .pcm = {1, 2, 3}});
  EXPECT_EQ(Open("24bit.wav"), nullptr);
}

TEST(SoundSwitchesTest, RawTypeIsPackedWithItsRate) {
  std::vector<std::string> words = {"/Y3", "/R8000", "/C1", "/B8", "/S-10", "/E20", "/T3", "/K7"};
  SwitchLine line(words, SoundSwitchTable("RCBSETYDK"));
  const SoundOptions o = ReadSoundSwitches(line, "RCBSETYDK");
  EXPECT_FALSE(line.HasLeftover());
  EXPECT_EQ(o.raw_type, 11025u * 8 + 2);
  EXPECT_EQ(UnpackRawType(o.raw_type), (SoundFormat{11025, 16, 1}));
  EXPECT_EQ(o.skip, 7u);
  EXPECT_EQ(std::tie(o.rate, o.channels, o.bits, o.start, o.end, o.track),
            std::make_tuple(8000, 1, 8, -10, 20, 3));

  std::vector<std::string> other = {"/Y9", "/K7", "/S5"};
  SwitchLine line2(other, SoundSwitchTable("YK"));
  const SoundOptions o2 = ReadSoundSwitches(line2, "YK");
  EXPECT_EQ(o2.raw_type, 0u);
  EXPECT_EQ(o2.skip, 0u);
  EXPECT_TRUE(line2.HasLeftover());  // /S is not offered
}

}  // namespace
}  // namespace kinet::toolkit::testing
