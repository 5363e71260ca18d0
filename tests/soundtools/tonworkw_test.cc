// Whole runs of tonworkw on sounds made here: the WAV and raw files it writes, checked against
// the sound source's own conversion, and its messages and exit statuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "lib/core/format.h"
#include "platform/clock/clock.h"
#include "platform/files/memory_file_system.h"
#include "soundtools/tonworkw/tone_run.h"
#include "soundtools/tonworkw/tone_settings.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/cancelling_face.h"
#include "tests/support/encode_fixtures.h"
#include "tests/support/sound_fixtures.h"
#include "tests/support/sound_input_fixtures.h"
#include "tests/support/tool_runs.h"

namespace kinet {
namespace {

namespace fs = std::filesystem;
using testing::ToolRun;
using toolkit::SoundFormat;

constexpr std::string_view kFirstProgress = "Processing sound data (0%)...\n";

// The output with each run of progress lines cut to its first.
std::string SteadyPart(const std::string& output) {
  return testing::FirstOfEachRun(output, "Processing sound data (");
}

struct WavFile {
  SoundFormat format;
  uint32_t riff_length = 0, byte_rate = 0, align = 0, data_length = 0;
  std::vector<uint8_t> data;
};

WavFile ReadWav(const std::string& path) {
  const std::vector<uint8_t> b = testing::ReadWholeFile(path);
  WavFile w;
  if (b.size() < 44) {
    ADD_FAILURE() << path << " is too short";
    return w;
  }
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(LoadLe32(&b[16]), 16u);
  EXPECT_EQ(LoadLe16(&b[20]), 1u);
  EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
  w.format = {LoadLe32(&b[24]), LoadLe16(&b[34]), LoadLe16(&b[22])};
  w.riff_length = LoadLe32(&b[4]);
  w.byte_rate = LoadLe32(&b[28]);
  w.align = LoadLe16(&b[32]);
  w.data_length = LoadLe32(&b[40]);
  w.data.assign(b.begin() + 44, b.end());
  return w;
}

class TonWorkW : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = fs::path(testing::FreshTempPath("x")).parent_path().string(); }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  std::string Wav(const std::string& name, SoundFormat format, const std::vector<uint8_t>& pcm) {
    return toolkit::testing::WriteWav(Path(name), {format, pcm});
  }
  ToolRun Tone(const std::string& arguments) const { return testing::RunTool(TONWORKW, arguments); }
  // What the sound source itself gives for `path` in the format the switches ask for.
  std::vector<uint8_t> SourceGives(const std::string& path, toolkit::SoundOptions options) {
    auto source = toolkit::OpenSoundSource(platform::SystemFileSystem(), options, path);
    EXPECT_NE(source, nullptr) << path;
    return source ? toolkit::testing::ReadAll(*source, 4096) : std::vector<uint8_t>{};
  }
  std::string Created(const std::string& name) const {
    return "Created " + Path(name) + " - " + std::to_string(fs::file_size(Path(name))) +
           " bytes written.\n";
  }
  size_t FilesInFolder() const {
    size_t n = 0;
    for (const auto& entry : fs::directory_iterator(dir_)) n += entry.is_regular_file();
    return n;
  }

  std::string dir_;
};

TEST_F(TonWorkW, ConvertsDownAndBackWithExactHeaders) {
  const std::vector<uint8_t> pcm = testing::ToneBytes(44100 * 4, 3);
  const std::string in = Wav("cd.wav", {44100, 16, 2}, pcm);
  ToolRun run = Tone(in + " " + Path("small") + " /R22050 /B8 /C1");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(SteadyPart(run.output), std::string(kFirstProgress) + Created("small.wav"));
  WavFile w = ReadWav(Path("small.wav"));
  EXPECT_EQ(w.format, (SoundFormat{22050, 8, 1}));
  EXPECT_EQ(w.byte_rate, 22050u);
  EXPECT_EQ(w.align, 1u);
  EXPECT_EQ(w.data_length, 22050u);  // one second
  EXPECT_EQ(w.riff_length, 22050u + 36);
  EXPECT_EQ(w.data, SourceGives(in, {.rate = 22050, .bits = 8, .channels = 1}));

  run = Tone(Path("small.wav") + " " + Path("big.wav") + " /R44100 /B16 /C2");
  ASSERT_EQ(run.status, 0) << run.output;
  w = ReadWav(Path("big.wav"));
  EXPECT_EQ(w.format, (SoundFormat{44100, 16, 2}));
  EXPECT_EQ(w.byte_rate, 176400u);
  EXPECT_EQ(w.align, 4u);
  // Every input frame but the last is followed by one frame interpolated toward the next: the
  // last has no next.
  EXPECT_EQ(w.data_length, (2 * 22050 - 1) * 4u);
  EXPECT_EQ(w.riff_length, w.data_length + 36);
  EXPECT_EQ(w.data, SourceGives(Path("small.wav"), {.rate = 44100, .bits = 16, .channels = 2}));
}

TEST_F(TonWorkW, RawOutputNamesAndTrimming) {
  const std::vector<uint8_t> pcm = testing::ToneBytes(3 * 8000, 5);
  const std::string in = Wav("in.wav", {8000, 8, 1}, pcm);
  ToolRun run = Tone(in + " " + Path("out.RAW"));
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(SteadyPart(run.output), std::string(kFirstProgress) + Created("out.RAW"));
  EXPECT_EQ(testing::ReadWholeFile(Path("out.RAW")), pcm);
  // A name without extension is a WAV file; ".WAV" in capitals too.
  ASSERT_EQ(Tone(in + " " + Path("plain")).status, 0);
  EXPECT_EQ(ReadWav(Path("plain.wav")).data, pcm);
  ASSERT_EQ(Tone(in + " " + Path("LOUD.WAV")).status, 0);
  EXPECT_EQ(ReadWav(Path("LOUD.WAV")).data, pcm);
  // An end before the start is ignored: everything from two seconds on.
  ASSERT_EQ(Tone(in + " " + Path("tail.raw") + " /S2000 /E1000").status, 0);
  EXPECT_EQ(testing::ReadWholeFile(Path("tail.raw")),
            std::vector<uint8_t>(pcm.begin() + 16000, pcm.end()));
  // Raw input of a forced type becomes a WAV file of that format.
  ASSERT_EQ(Tone(Path("out.RAW") + " " + Path("typed.wav") + " /Y3 /D4000 /K2").status, 0);
  const WavFile typed = ReadWav(Path("typed.wav"));
  EXPECT_EQ(typed.format, (SoundFormat{4000, 16, 1}));
  EXPECT_EQ(typed.data, std::vector<uint8_t>(pcm.begin() + 2, pcm.end()));
}

TEST_F(TonWorkW, ReadsAVideoFilesTrackAndAWavWithExtraChunks) {
  testing::TrackSpec t;
  t.track = 2;
  const std::vector<uint8_t> tune = testing::ToneBytes(2 * 11025, 7);
  t.per_frame = testing::ShareOut(tune, 11025, 10000, 20);
  const std::string video = testing::WriteSoundFile("video.knt", {16, 16, 100},
                                                    testing::SpriteAnimation(16, 16, 20), {t});
  ASSERT_EQ(Tone(video + " " + Path("track.raw") + " /T3").status, 0);
  // Twenty frames of 100 ms: two seconds, rounded down to a multiple of 4 bytes.
  EXPECT_EQ(testing::ReadWholeFile(Path("track.raw")),
            std::vector<uint8_t>(tune.begin(), tune.begin() + 22048));
  ToolRun run = Tone(video + " " + Path("none.wav") + " /T1");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, "No sound found in the specified Kinetor track.\n");

  toolkit::testing::WavContents odd;
  odd.format = {11025, 16, 2};
  odd.pcm = testing::ToneBytes(4 * 3000, 9);
  odd.format_extra = 3;
  odd.chunk_before_format = odd.chunk_before_data = true;
  toolkit::testing::WriteWav(Path("odd.wav"), odd);
  ASSERT_EQ(Tone(Path("odd.wav") + " " + Path("clean.wav")).status, 0);
  std::vector<uint8_t> clean = toolkit::testing::WavBytes({odd.format, odd.pcm});
  EXPECT_EQ(testing::ReadWholeFile(Path("clean.wav")), clean);
  // A format other than PCM is no WAV file, nor a video or AVI file.
  odd.tag = 2;
  toolkit::testing::WriteWav(Path("adpcm.wav"), odd);
  run = Tone(Path("adpcm.wav") + " " + Path("x.wav"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, "Error opening the input file.\n");
}

TEST_F(TonWorkW, RefusedLinesAndOutputs) {
  const std::vector<uint8_t> pcm = testing::ToneBytes(1000, 1);
  const std::string in = Wav("in.wav", {8000, 8, 1}, pcm);
  std::string syntax(tone::kSyntax);
  for (size_t at; (at = syntax.find("\r\n")) != std::string::npos;) syntax.erase(at, 1);
  const std::string same = "Output filename must be different than the input filename.\n";
  fs::create_hard_link(in, Path("linked.wav"));
  const std::string earlier = Wav("earlier.wav", {8000, 8, 1}, {1, 2, 3});
  struct Case {
    std::string arguments, output;
    int status;
  };
  const std::vector<Case> cases = {
      {in, syntax + "\n", 2},
      {in + " " + Path("a") + " " + Path("b"),
       "Not understood: " + Path("b") + "\n" + syntax + "\n", 2},
      {in + " " + Path("a") + " /Q", "Not understood: /Q\n" + syntax + "\n", 2},
      {in + " " + in + " /O", same, 1},
      {Path("in") + " " + Path("./in") + " /O", same, 1},
      {in + " " + Path("linked.wav") + " /O", same, 1},
      {in + " " + earlier, "File " + earlier + " exists, overwrite? No.\n", 1},
      {Path("missing.wav") + " " + Path("a"), "Error opening the input file.\n", 1},
      // The specified text, then the path and the system's reason; names without a file.
      {in + " " + Path("no/such/out.wav"),
       "Error creating the output file.\n" + Path("no/such/out.wav") +
           ": No such file or directory\n",
       1},
      {in + " " + Path("out/"),
       "Output filename has no name before its extension: " + Path("out/.wav") + "\n", 1},
      {in + " " + Path(".") + " /O", "Output filename names a folder: " + Path(".") + "\n", 1},
  };
  for (const Case& c : cases) {
    const ToolRun run = Tone(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments;
    EXPECT_EQ(run.output, c.output) << c.arguments;
  }
  EXPECT_EQ(testing::ReadWholeFile(in), toolkit::testing::WavBytes({{8000, 8, 1}, pcm}));
  EXPECT_EQ(ReadWav(earlier).data, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(FilesInFolder(), 3u);  // nothing new
  // Names that differ in case are two files.
  EXPECT_EQ(Tone(in + " " + Path("IN.wav")).status, 0);
  ASSERT_EQ(Tone(in + " " + earlier + " /O").status, 0);
  EXPECT_EQ(ReadWav(earlier).data, pcm);
}

// Inside the process, with a clock that stands still: progress is shown once, and a cancel
// leaves no output.
TEST_F(TonWorkW, ProgressSpacingAndCancel) {
  const std::string in = Wav("long.wav", {44100, 16, 2}, testing::ToneBytes(44100 * 4 * 3, 2));
  platform::ManualClock clock;
  auto run = [&](testing::FaceRecord& record, const std::string& out) {
    auto frame = testing::RecordingFrame("Sound Processor", record);
    const std::vector<std::string> words = {in, out, "/O"};
    toolkit::SwitchLine line(words, tone::SwitchTable());
    return tone::RunToneOn(*frame, line, platform::SystemFileSystem(), clock);
  };
  testing::FaceRecord record;
  EXPECT_EQ(run(record, Path("copy.wav")), 0);
  EXPECT_EQ(record.lines, (std::vector<std::string>{
                              "status Processing sound data (0%)...",
                              "status Created " + Path("copy.wav") + " - 529244 bytes written."}));

  testing::FaceRecord cancelled;
  cancelled.cancel_at_pump = 6;
  EXPECT_EQ(run(cancelled, Path("copy.wav")), 1);
  EXPECT_EQ(fs::file_size(Path("copy.wav")), 529244u);
  EXPECT_EQ(FilesInFolder(), 2u);
}

// Over files in memory: the sound as the source found it (an extension filled in, a wave
// list's items, a series' members) is never the output.
TEST(TonWorkWInputs, OutputsThatAreTheSoundReadByAnotherName) {
  platform::MemoryFileSystem files;
  const auto wav = toolkit::testing::WavBytes({{8000, 8, 1}, testing::ToneBytes(800, 3)});
  for (const char* name : {"/tune.wav", "/s1.wav", "/s2.wav"})
    files.AddFile(name, std::string(wav.begin(), wav.end()));
  files.AddFile("/w.lst", "tune\ns?.wav*1-2\n");
  platform::ManualClock clock;
  for (const auto& [input, output] : {std::pair{"tune", "tune"}, std::pair{"w.lst", "s2.wav"},
                                      std::pair{"s?.wav*1-2", "./s1"}}) {
    testing::FaceRecord record;
    auto frame = testing::RecordingFrame("Sound Processor", record);
    const std::vector<std::string> words = {input, output, "/O"};
    toolkit::SwitchLine line(words, tone::SwitchTable());
    EXPECT_EQ(tone::RunToneOn(*frame, line, files, clock), 1) << input << " " << output;
    EXPECT_EQ(record.lines.back(),
              "error Output filename must be different than the input filename.");
  }
  for (const char* name : {"/tune.wav", "/s1.wav", "/s2.wav"})
    EXPECT_EQ(*files.Content(name), std::string(wav.begin(), wav.end())) << name;
  EXPECT_EQ(files.AllFiles().size(), 4u);
}

// A WAV file whose "data" chunk claims more than the file holds: the sound there is, and the
// status line says the file is truncated.
TEST(TonWorkWInputs, TruncatedWavIsCutAndSaidSo) {
  platform::MemoryFileSystem files;
  const std::vector<uint8_t> pcm = testing::ToneBytes(800, 4);
  const auto wav = toolkit::testing::WavBytes({{8000, 8, 1}, pcm, 1, 0, false, false, 0x7FFFFFF0});
  files.AddFile("/cut.wav", std::string(wav.begin(), wav.end()));
  testing::FaceRecord record;
  auto frame = testing::RecordingFrame("Sound Processor", record);
  const std::vector<std::string> words = {"cut", "out"};
  toolkit::SwitchLine line(words, tone::SwitchTable());
  platform::ManualClock clock;
  EXPECT_EQ(tone::RunToneOn(*frame, line, files, clock), 0);
  EXPECT_EQ(record.lines,
            (std::vector<std::string>{
                "status The WAV file cut.wav is truncated: 800 of the 2147483632 sound bytes its "
                "header gives are there.",
                "status Processing sound data (0%)...", "status Created out.wav - 844 bytes written."}));
}

}  // namespace
}  // namespace kinet
