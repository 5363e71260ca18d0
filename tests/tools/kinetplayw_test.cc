// kinetplayw: its switches, and whole runs of the program on a generated file, headless.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "compressor/animation_writer.h"
#include "kinet/kinet.h"
#include "tests/support/sound_fixtures.h"
#include "tests/support/tool_runs.h"
#include "tools/kinetplayw/player_settings.h"
#include "tools/kntsample/sample_animation.h"

namespace kinet::player {
namespace {

std::optional<PlayerSettings> Read(std::vector<std::string> words) {
  toolkit::SwitchLine line(words, PlayerSwitches());
  return ReadPlayerSettings(line);
}

TEST(PlayerSettings, SwitchesOfThePlayPage) {
  auto s = Read({"a.knt", "/L", "/F", "/P/S/N", "/V4", "/A2", "/T5", "/E50000", "/M300000"});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->file, "a.knt");
  EXPECT_EQ(s->loops, 0);
  EXPECT_EQ(s->frame_rate, 0);
  EXPECT_TRUE(s->preload && s->summary && s->no_drop);
  EXPECT_EQ(DisplayMode(*s), 5u);
  EXPECT_EQ(OpenFlags(*s), (5u << 13) | KINET_OPEN_FRAME_RATE | KINET_OPEN_PRELOAD |
                               KINET_OPEN_NO_SKIP | KINET_OPEN_SIMULATE | KINET_OPEN_Y_DOUBLED);
  EXPECT_EQ(s->extra_memory, 50000);

  s = Read({"-L3", "/home/me/walk.knt", "-F15", "-X10", "-Y20", "-W640", "-H480", "-I4"});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->file, "/home/me/walk.knt");
  EXPECT_EQ(s->loops, 3);
  EXPECT_EQ(s->frame_rate, 15);
  EXPECT_EQ(OpenFlags(*s), (127u << 13) | KINET_OPEN_FRAME_RATE);
  EXPECT_EQ(s->width, 640);
  EXPECT_EQ(s->window_style, 4u);

  EXPECT_FALSE(Read({"a.knt", "/V5"})) << "no such display";
  EXPECT_FALSE(Read({"a.knt", "/U8"}));
  EXPECT_FALSE(Read({"a.knt", "b.knt"})) << "one file";
  EXPECT_FALSE(Read({"/S"})) << "no file";
  EXPECT_FALSE(Read({"a.knt", "/Q5"})) << "a flag with a number";
}

struct PlayerRun {
  int status;
  std::string output;
};

PlayerRun RunPlayer(const std::string& arguments) {
  const std::string command = std::string("SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ") +
                              KINETPLAYW + " " + arguments + " 2>&1";
  PlayerRun run{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 256> chunk;
  while (fgets(chunk.data(), chunk.size(), pipe)) run.output += chunk.data();
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string SampleFile() {
  const std::string path =
      (std::filesystem::temp_directory_path() / "kinetplayw-sample.knt").string();
  encoder::AnimationSettings settings{160, 100, 20};
  settings.ring_frame = true;
  EXPECT_EQ(WriteAnimation(platform::SystemFileSystem(), path, settings,
                           sample::BouncingBall(160, 100, 12)),
            encoder::WriteStatus::kOk);
  return path;
}

TEST(KinetPlayW, PlaysToTheEndHeadlessAndSummarizes) {
  const std::string file = SampleFile();
  PlayerRun run = RunPlayer(file + " /S /L2 /F200 /K");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("Decoded:     24 frames"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Played " + file), std::string::npos) << run.output;

  run = RunPlayer(file + " /O /F /Q");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("frame 12"), std::string::npos) << run.output;
}

// With a sound track the sound paces the frames (SDL's dummy device plays in real time).
TEST(KinetPlayW, PlaysAFileWithSound) {
  using namespace kinet::testing;
  encoder::AnimationSettings settings{160, 100, 50};
  const auto frames = sample::BouncingBall(160, 100, 10);
  TrackSpec track;
  track.format = SampleFormat{false, false};
  track.per_frame = ShareOut(ToneBytes(11025 / 2), 11025, 5000, 10);
  const std::string file = WriteSoundFile("tone.knt", settings, frames, {track});
  PlayerRun run = RunPlayer(file + " /S");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("Decoded:     10 frames"), std::string::npos) << run.output;
}

// The demo's sample carries a tune: a compressed 16-bit track whose first frame holds more
// than a second of sound.
TEST(KntSample, WritesATrackWithTheAnimation) {
  const std::string path = (std::filesystem::temp_directory_path() / "kntsample-tune.knt").string();
  const std::string command = std::string(KNTSAMPLE) + " " + path + " /W64 /H48 /N10 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  KinetHandle* h = KinetOpen(path.c_str(), 0, -1);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(KinetSoundInTrack(h, KINET_OPEN_TRACK(0)), 1u);
  EXPECT_EQ(h->AudioRate[0],
            22050u | KINET_AUDIO_16BIT | KINET_AUDIO_PRESENT | KINET_AUDIO_COMPRESSED);
  std::vector<uint8_t> sound(h->AudioSize[0]);
  EXPECT_GT(KinetGetTrackData(h, sound.data(), KINET_OPEN_TRACK(0)), 44100u);
  KinetClose(h);
}

TEST(KinetPlayW, FailuresAndUsageHaveTheirExitStatus) {
  PlayerRun run = RunPlayer("/nonexistent/file.knt /F");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("cannot be opened as a video file"), std::string::npos);
  run = RunPlayer(SampleFile() + " /V7");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("Usage: kinetplayw"), std::string::npos);
}

// Ctrl-C and a termination request end a play that would loop for ever, cleanly, exit 1.
TEST(KinetPlayW, InterruptsEndAnEndlessPlay) {
  const std::string file = SampleFile();
  for (int signal : {SIGINT, SIGTERM}) {
    EXPECT_EQ(testing::SignalledTool(KINETPLAYW, {file, "/L", "/F10"},
                                     testing::Said("Playing " + file), signal),
              1)
        << signal;
  }
}

}  // namespace
}  // namespace kinet::player
