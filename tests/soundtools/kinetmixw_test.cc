// Whole runs of kinetmixw as a process on video files and sounds made here: the files it
// writes, checked part by part against the input and played back through the library, and
// its messages and exit statuses.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "compressor/sound_track_encoder.h"
#include "kinet/kinet.h"
#include "lib/core/format.h"
#include "platform/clock/clock.h"
#include "soundtools/kinetmixw/mix_run.h"
#include "soundtools/kinetmixw/mix_settings.h"
#include "soundtools/kinetmixw/video_input.h"
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

constexpr uint32_t kSide = 32, kFrames = 20;
constexpr int32_t kFrameRate = -6667;  // 15 frames per second
constexpr uint32_t kRate = 11025;
// Twenty frames of 66.67 ms last 1333 ms: the track's bytes at 11025 bytes a second.
constexpr uint32_t kTrackBytes = 14697;
constexpr uint8_t kSilence = 0x80;

// A video file as it lies on disk, each frame record split into its parts.
struct Layout {
  KinetHeader header{};
  std::vector<uint32_t> sizes;
  std::vector<uint8_t> types, trees;
  std::vector<std::vector<uint8_t>> records;
  std::vector<mix::FrameParts> parts;

  std::vector<uint8_t> Part(size_t f, uint32_t offset, uint32_t length) const {
    return {records[f].begin() + offset, records[f].begin() + offset + length};
  }
  std::vector<uint8_t> Palette(size_t f) const { return Part(f, 0, parts[f].palette_length); }
  std::vector<uint8_t> Track(size_t f, uint32_t t) const {
    return Part(f, parts[f].tracks[t].offset, parts[f].tracks[t].length);
  }
  std::vector<uint8_t> Video(size_t f) const {
    return {records[f].begin() + parts[f].video_offset, records[f].end()};
  }
};

Layout ReadLayout(const std::string& path) {
  const std::vector<uint8_t> bytes = testing::ReadWholeFile(path);
  Layout l;
  l.header = ParseHeader(bytes.data());
  const size_t n = FrameRecordCount(l.header);
  size_t at = KINET_HEADER_SIZE;
  for (size_t i = 0; i < n; ++i, at += 4) l.sizes.push_back(LoadLe32(&bytes[at]));
  l.types.assign(bytes.begin() + at, bytes.begin() + at + n);
  at += n;
  l.trees.assign(bytes.begin() + at, bytes.begin() + at + l.header.TreeSize);
  at += l.header.TreeSize;
  for (size_t i = 0; i < n; at += l.sizes[i++]) {
    l.records.emplace_back(bytes.begin() + at, bytes.begin() + at + l.sizes[i]);
    const auto parts = mix::SplitFrameRecord(l.records[i].data(), l.sizes[i], l.types[i]);
    EXPECT_TRUE(parts) << path << " frame " << i;
    l.parts.push_back(parts.value_or(mix::FrameParts{}));
  }
  EXPECT_EQ(at, bytes.size()) << path;
  return l;
}

// The success text for the records of track `t`: 100 less the record bytes in hundredths of
// the decoded bytes.
std::string SuccessText(const Layout& l, uint32_t t) {
  uint64_t records = 0, decoded = 0;
  for (size_t f = 0; f < l.records.size(); ++f) {
    const std::vector<uint8_t> r = l.Track(f, t);
    if (r.empty()) continue;
    records += r.size();
    decoded += (l.header.AudioRate[t] & KINET_AUDIO_COMPRESSED) ? LoadLe32(&r[4]) : r.size() - 4;
  }
  return "Successfully mixed.  Compressed by " + std::to_string(100 - records * 100 / decoded) +
         " %.\n";
}

std::string MixingLine(uint32_t frame, uint32_t frames) {
  return "Mixing sound data into frame " + std::to_string(frame) + " of " + std::to_string(frames) +
         "...\n";
}

// `pattern` repeated to `length` bytes.
std::vector<uint8_t> Cycle(const std::vector<uint8_t>& pattern, size_t length) {
  std::vector<uint8_t> out(length);
  for (size_t i = 0; i < length; ++i) out[i] = pattern[i % pattern.size()];
  return out;
}

template <typename T>
std::vector<T> Head(const std::vector<T>& v, size_t n) {
  return {v.begin(), v.begin() + std::min(n, v.size())};
}

class KinetMixW : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(testing::FreshTempPath("x")).parent_path().string();
    silent_ = Video("silent.knt", {});
    tune_ = testing::ToneBytes(2 * kRate, 3);
    Wav("tune.wav", {kRate, 8, 1}, tune_);
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  std::string Video(const std::string& name, const std::vector<testing::TrackSpec>& tracks) {
    return testing::WriteSoundFile(name, {kSide, kSide, kFrameRate},
                                   testing::SpriteAnimation(kSide, kSide, kFrames, 5), tracks);
  }
  void Wav(const std::string& name, toolkit::SoundFormat format, const std::vector<uint8_t>& pcm) {
    toolkit::testing::WriteWav(Path(name), {format, pcm});
  }
  // A run, with each run of progress lines cut to its first (see FirstOfEachRun); `full`, when
  // given, receives the whole output.
  ToolRun Mix(const std::string& arguments, std::string* full = nullptr) const {
    ToolRun run = testing::RunTool(KINETMIXW, arguments);
    if (full) *full = run.output;
    run.output = testing::FirstOfEachRun(run.output, "Mixing sound data into frame ");
    return run;
  }
  // Runs the mix of `sound` into `silent.knt` and returns track `t`'s sound as played.
  std::vector<uint8_t> MixedSound(const std::string& sound, const std::string& switches, uint32_t t,
                                  std::vector<uint32_t>* per_frame = nullptr) {
    const ToolRun run =
        Mix(Path("silent.knt") + " " + Path(sound) + " " + Path("out.knt") + " /O " + switches);
    EXPECT_EQ(run.status, 0) << run.output;
    if (per_frame) per_frame->clear();
    return testing::TrackSound(Path("out.knt"), t, per_frame);
  }
  size_t FilesInFolder() const {
    size_t n = 0;
    for (const auto& entry : fs::directory_iterator(dir_)) n += entry.is_regular_file();
    return n;
  }

  std::string dir_, silent_;
  std::vector<uint8_t> tune_;
};

TEST_F(KinetMixW, IntoAFileWithoutSound) {
  const ToolRun run = Mix(Path("silent.knt") + " " + Path("tune") + " " + Path("out"));
  ASSERT_EQ(run.status, 0) << run.output;
  const Layout out = ReadLayout(Path("out.knt"));
  EXPECT_EQ(run.output, MixingLine(1, kFrames) + SuccessText(out, 0));
  EXPECT_EQ(out.header.AudioRate[0], kRate | KINET_AUDIO_PRESENT | KINET_AUDIO_COMPRESSED);
  EXPECT_EQ(out.header.FrameRate, kFrameRate);
  // The track runs as long as the video, and a second ahead of it: the first frame carries a
  // second and a frame of sound.
  std::vector<uint32_t> per_frame;
  EXPECT_EQ(testing::TrackSound(Path("out.knt"), 0, &per_frame), Head(tune_, kTrackBytes));
  EXPECT_EQ(per_frame[0], (6667 * kRate / 100000 + kRate + 3) / 4 * 4);
  EXPECT_EQ(out.header.AudioSize[0], per_frame[0]);
  EXPECT_EQ(testing::DecodeAll(Path("out.knt")), testing::DecodeAll(silent_));
  // The same mix again gives the same bytes.
  ASSERT_EQ(Mix(Path("silent.knt") + " " + Path("tune") + " " + Path("again") + " /O").status, 0);
  EXPECT_EQ(testing::ReadWholeFile(Path("again.knt")), testing::ReadWholeFile(Path("out.knt")));
}

// Every part but the chosen track's records passes through byte for byte.
TEST_F(KinetMixW, ReplacesATrackInEveryFrameAndKeepsEverythingElse) {
  testing::TrackSpec first, third;
  first.track = 0;
  first.per_frame = testing::ShareOut(testing::ToneBytes(kRate, 5), kRate, 6667, kFrames);
  third.track = 2;
  third.rate = 8000;
  third.format = {true, true};
  third.per_frame = testing::ShareOut(testing::ToneBytes(64000, 7), 32000, 6667, kFrames);
  const std::string in = Video("tracks.knt", {first, third});
  const std::vector<uint8_t> stereo = testing::ToneBytes(2 * 88200, 9);
  Wav("stereo.wav", {22050, 16, 2}, stereo);

  const ToolRun run = Mix(in + " " + Path("stereo.wav") + " " + Path("out.knt") + " /M3 /L0");
  ASSERT_EQ(run.status, 0) << run.output;
  const Layout a = ReadLayout(in), b = ReadLayout(Path("out.knt"));
  EXPECT_EQ(run.output, MixingLine(1, kFrames) + SuccessText(b, 2));
  KinetHeader expected = a.header;
  expected.AudioRate[2] = 22050 | 0xF0000000u;
  expected.AudioSize[2] = b.header.AudioSize[2];
  uint8_t want[KINET_HEADER_SIZE], got[KINET_HEADER_SIZE];
  SerializeHeader(expected, want);
  SerializeHeader(b.header, got);
  EXPECT_TRUE(std::equal(want, want + KINET_HEADER_SIZE, got));
  EXPECT_EQ(a.trees, b.trees);
  ASSERT_EQ(b.records.size(), a.records.size());
  for (size_t f = 0; f < a.records.size(); ++f) {
    EXPECT_EQ(b.types[f] & ~KINET_FRAME_AUDIO(2), a.types[f] & ~KINET_FRAME_AUDIO(2));
    EXPECT_EQ(b.Palette(f), a.Palette(f)) << f;
    for (uint32_t t : {0u, 1u, 3u, 4u, 5u, 6u}) EXPECT_EQ(b.Track(f, t), a.Track(f, t)) << f;
    EXPECT_EQ(b.Video(f), a.Video(f)) << f;
  }
  // The new track holds the whole new sound for the video's length, exactly at level 0.
  EXPECT_EQ(testing::TrackSound(Path("out.knt"), 2), Head(stereo, 117572));
  EXPECT_EQ(testing::TrackSound(Path("out.knt"), 0), testing::TrackSound(in, 0));
}

// With a ring frame the track starts again with it, as the picture does: the sound is a cycle
// of the track's length that the records run through one second ahead.
TEST_F(KinetMixW, IntoTrackSevenOfAFileWithARingFrame) {
  const std::string in = Path("ring.knt");
  ASSERT_EQ(testing::EncodeClip(in, testing::SpriteAnimation(kSide, kSide, 12),
                                testing::SettingsFor(kSide, kSide, 0, 0), true)
                .status,
            encoder::WriteStatus::kOk);
  const std::vector<uint8_t> short_tune = Head(tune_, 3307);
  Wav("short.wav", {kRate, 8, 1}, short_tune);
  ASSERT_EQ(Mix(in + " " + Path("short.wav") + " " + Path("out.knt") + " /M7").status, 0);

  const Layout out = ReadLayout(Path("out.knt"));
  EXPECT_EQ(out.header.Flags, KINET_FLAG_RING_FRAME);
  EXPECT_EQ(out.header.AudioRate[6], kRate | 0xC0000000u);
  ASSERT_EQ(out.records.size(), 13u);
  EXPECT_FALSE(out.Track(12, 6).empty());  // the ring frame carries sound too
  // Thirteen records of 66.66 ms: 866 ms, 9548 bytes, the short tune and then silence.
  std::vector<uint8_t> cycle = short_tune;
  cycle.resize(9548, kSilence);
  uint64_t total = 0;
  for (uint64_t i = 0; i < 13; ++i) total = ((i + 1) * 6666 * kRate / 100000 + kRate + 3) & ~3ull;
  EXPECT_EQ(testing::TrackSound(Path("out.knt"), 6), Cycle(cycle, total));
  EXPECT_EQ(testing::DecodeAll(Path("out.knt")), testing::DecodeAll(in));
}

TEST_F(KinetMixW, FirstFrameLoopAndFrameRate) {
  // /G10: nine frames of 66.67 ms, 600 ms, of silence first. The track still starts with the
  // first frame, whose record brings the silence and the start of the tune.
  std::vector<uint8_t> lead = Head(tune_, kTrackBytes - 6615);
  lead.insert(lead.begin(), 6615, kSilence);
  std::vector<uint32_t> per_frame;
  EXPECT_EQ(MixedSound("tune.wav", "/G10", 0, &per_frame), lead);
  EXPECT_GT(per_frame[0], 6615u);

  // A sound shorter than the video is followed by silence up to the track's length; the frames
  // after it carry no record of the track.
  const std::vector<uint8_t> half = Head(tune_, 5512);
  Wav("half.wav", {kRate, 8, 1}, half);
  std::vector<uint8_t> padded = half;
  padded.resize(kTrackBytes, kSilence);
  EXPECT_EQ(MixedSound("half.wav", "", 0, &per_frame), padded);
  EXPECT_EQ(per_frame.back(), 0u);
  const Layout ended = ReadLayout(Path("out.knt"));
  EXPECT_FALSE(ended.types.back() & KINET_FRAME_AUDIO(0));
  // With /P the sound repeats instead.
  EXPECT_EQ(MixedSound("half.wav", "/P", 0), Cycle(half, kTrackBytes));

  // /F10: 100 ms frames, written into the header; twenty of them hold the whole tune.
  EXPECT_EQ(MixedSound("tune.wav", "/F10 /M2", 1, &per_frame), tune_);
  EXPECT_EQ(ReadLayout(Path("out.knt")).header.FrameRate, -10000);
}

TEST_F(KinetMixW, RawDataTracks) {
  const std::vector<uint8_t> data = testing::ToneBytes(4500, 11);
  testing::WriteWholeFile(Path("data.bin"), data);
  // Non-sound data: exactly /D bytes a frame until the data ends, and a header word that
  // holds the rate alone, so that players leave the track alone.
  std::vector<uint32_t> per_frame;
  EXPECT_EQ(MixedSound("data.bin", "/Y5 /D1000", 0, &per_frame), data);
  EXPECT_EQ(Head(per_frame, 6), (std::vector<uint32_t>{1000, 1000, 1000, 1000, 500, 0}));
  KinetHeader h = ReadLayout(Path("out.knt")).header;
  EXPECT_EQ(h.AudioRate[0], 1000u);
  EXPECT_EQ(h.AudioSize[0], 1000u);
  // Raw sound keeps its format bits and plays; /R does not change what a raw input holds.
  EXPECT_EQ(MixedSound("data.bin", "/Y3 /D2000 /R8000", 0, &per_frame), data);
  EXPECT_EQ(Head(per_frame, 3), (std::vector<uint32_t>{4000, 500, 0}));
  h = ReadLayout(Path("out.knt")).header;
  EXPECT_EQ(h.AudioRate[0], 2000u | KINET_AUDIO_PRESENT | KINET_AUDIO_16BIT);
}

TEST_F(KinetMixW, RefusedCommandLinesAndFiles) {
  const std::string silent = Path("silent.knt"), tune = Path("tune.wav");
  std::string syntax(mix::kSyntax);
  for (size_t at; (at = syntax.find("\r\n")) != std::string::npos;) syntax.erase(at, 1);
  struct Case {
    std::string arguments, output;
    int status;
  };
  const std::string same = "Output filename must be different than the input filename.\n";
  fs::create_hard_link(silent, Path("linked.knt"));
  const std::vector<Case> cases = {
      {silent + " " + tune + " " + Path("o") + " /M0",
       "You must use a track number between 1 and 7.\n", 2},
      {silent + " " + tune + " " + Path("o") + " /M8",
       "You must use a track number between 1 and 7.\n", 2},
      {silent + " " + tune + " " + Path("o") + " /L10", syntax + "\n", 2},
      {silent + " " + tune, syntax + "\n", 2},
      {silent + " " + tune + " " + Path("o") + " -Pq", "Not understood: -Pq\n" + syntax + "\n", 2},
      {silent + " " + tune + " " + silent + " /O", same, 1},
      {silent + " " + tune + " " + Path("./silent") + " /O", same, 1},
      {silent + " " + tune + " " + Path("linked.knt") + " /O", same, 1},
      {silent + " " + tune + " " + tune + " /O", same, 1},
      {Path("missing") + " " + tune + " " + Path("o"), "Error opening the input Kinetor file.\n",
       1},
      {tune + " " + tune + " " + Path("o"), "Input file isn't a Kinetor file.\n", 1},
      {silent + " " + Path("missing.wav") + " " + Path("o"),
       "Error opening the sound file.\n" + Path("missing.wav") +
           ": Error opening the input file.\n",
       1},
      {silent + " " + silent + " " + Path("o"),
       "Error opening the sound file.\n" + silent + ": No sound found in the Kinetor file.\n", 1},
  };
  for (const Case& c : cases) {
    const ToolRun run = Mix(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments;
    EXPECT_EQ(run.output, c.output) << c.arguments;
  }
  EXPECT_FALSE(fs::exists(Path("o.knt")));
  // A name that differs in case names another file.
  EXPECT_EQ(Mix(silent + " " + tune + " " + Path("SILENT.knt")).status, 0);
  EXPECT_EQ(FilesInFolder(), 4u);
}

// A failure part way leaves the earlier output as it was and nothing partial: a frame of the
// input whose type byte announces a sound record that is not there, and a cancel.
TEST_F(KinetMixW, FailedOrCancelledMixLeavesTheEarlierOutput) {
  const std::vector<uint8_t> earlier = {'e', 'a', 'r', 'l', 'i', 'e', 'r'};
  testing::WriteWholeFile(Path("out.knt"), earlier);
  std::vector<uint8_t> bytes = testing::ReadWholeFile(silent_);
  const Layout in = ReadLayout(silent_);
  ASSERT_EQ(in.parts[10].palette_length, 0u);
  size_t at = KINET_HEADER_SIZE + 5 * kFrames + in.header.TreeSize;
  for (size_t f = 0; f < 10; ++f) at += in.sizes[f];
  StoreLe32(&bytes[at], 0xFFFFFFFF);
  bytes[KINET_HEADER_SIZE + 4 * kFrames + 10] |= KINET_FRAME_AUDIO(6);
  testing::WriteWholeFile(Path("damaged.knt"), bytes);
  std::string full;
  const ToolRun run =
      Mix(Path("damaged.knt") + " " + Path("tune.wav") + " " + Path("out") + " /O", &full);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, MixingLine(1, kFrames) + "Error reading the input Kinetor file.\n");
  // The last status line always comes before a message.
  EXPECT_NE(full.find(MixingLine(11, kFrames) + "Error reading"), std::string::npos) << full;
  EXPECT_EQ(testing::ReadWholeFile(Path("out.knt")), earlier);
  EXPECT_EQ(FilesInFolder(), 4u);

  platform::ManualClock clock;
  testing::FaceRecord record;
  record.cancel_at_pump = 9;  // while showing the fifth frame
  auto frame = testing::RecordingFrame("KinetMix", record);
  const std::vector<std::string> words = {silent_, Path("tune.wav"), Path("out"), "/O"};
  toolkit::SwitchLine line(words, mix::SwitchTable());
  EXPECT_EQ(mix::RunMixOn(*frame, line, platform::SystemFileSystem(), clock), 1);
  EXPECT_TRUE(frame->cancelled());
  for (const std::string& shown : record.lines)
    EXPECT_EQ(shown.find("frame 6 of 20"), std::string::npos) << "the mix went on";
  EXPECT_EQ(testing::ReadWholeFile(Path("out.knt")), earlier);
  EXPECT_EQ(FilesInFolder(), 4u);
}

// Frames so long that a player could not hold one frame's sound are refused before an output
// exists: every record would carry a whole frame's sound, built at once. At 11025 bytes a
// second a ring of a second and two frames of 16771703 bytes is the 32 MiB a player keeps.
TEST_F(KinetMixW, FramesTooLongForSoundAreRefused) {
  const std::string tune = Path("tune.wav"), out = Path("out.knt");
  const std::string refused = std::string(encoder::kFramesTooLongForSound) +
                              "\nA shorter frame period (/F) or a lower rate (/R) makes it fit.\n";
  // Hours a frame, from a damaged header or from /F.
  const std::string hours = testing::WriteSoundFile(
      "hours.knt", {kSide, kSide, 0x7FFFFFFF}, testing::SpriteAnimation(kSide, kSide, 4, 5), {});
  for (const std::string& command :
       {hours + " " + tune + " " + out, silent_ + " " + tune + " " + out + " /F-152124300"}) {
    const ToolRun run = Mix(command);
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_EQ(run.output, refused) << command;
  }
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(Mix(hours + " " + tune + " " + out + " /F15").status, 0);

  // The longest period that fits: one frame's record holds the whole track, the tune and
  // 1521242 ms of silence, and the library opens the track.
  const std::string one = testing::WriteSoundFile("one.knt", {kSide, kSide, 0},
                                                  testing::SpriteAnimation(kSide, kSide, 1, 5), {});
  const ToolRun run = Mix(one + " " + tune + " " + out + " /O /F-152124299");
  ASSERT_EQ(run.status, 0) << run.output;
  std::vector<uint32_t> per_frame;
  const std::vector<uint8_t> sound = testing::TrackSound(out, 0, &per_frame);
  EXPECT_EQ(per_frame, (std::vector<uint32_t>{16771694}));
  EXPECT_EQ(Head(sound, tune_.size()), tune_);
  EXPECT_EQ(std::count(sound.begin() + tune_.size(), sound.end(), kSilence),
            static_cast<ptrdiff_t>(sound.size() - tune_.size()));
  KinetHandle* h = KinetOpen(out.c_str(), KINET_OPEN_TRACK(0), -1);
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(h->OpenFlags & KINET_OPEN_TRACK(0));
  KinetClose(h);
}

// Long frames are mixed one at a time: an interrupt or a termination request ends the mix
// after the frame at hand with exit 1, and the folder is as it was.
TEST_F(KinetMixW, ASignalEndsAMixOfLongFrames) {
  // 400 frames of five minutes: 3.3 MB of sound each, far longer in all than the signal takes.
  const std::string in = testing::WriteSoundFile(
      "long.knt", {kSide, kSide, 300000}, testing::SpriteAnimation(kSide, kSide, 400, 5), {});
  const std::vector<uint8_t> earlier = {'e', 'a', 'r', 'l', 'i', 'e', 'r'};
  testing::WriteWholeFile(Path("out.knt"), earlier);
  const size_t files = FilesInFolder();
  for (int signal : {SIGINT, SIGTERM}) {
    std::string said;
    EXPECT_EQ(testing::SignalledTool(KINETMIXW, {in, Path("tune.wav"), Path("out.knt"), "/O"},
                                     testing::Said("Mixing sound data into frame "), signal, &said),
              1)
        << signal << said;
    EXPECT_EQ(said.find("Successfully"), std::string::npos) << said;
    EXPECT_EQ(testing::ReadWholeFile(Path("out.knt")), earlier);
    EXPECT_EQ(FilesInFolder(), files);
  }
}

}  // namespace
}  // namespace kinet
