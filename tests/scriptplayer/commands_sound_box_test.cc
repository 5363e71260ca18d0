// Message boxes, tones and MCI command strings, against the runner's scripted boxes and
// recording sound clips.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scriptplayer/script_runner.h"

namespace kinet::script {
namespace {

using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;
using testing::ScriptRunner;

TEST(MessageBoxCommandTest, ButtonBitsChooseTheBoxAndTheAnswerIsABit) {
  struct Case {
    int bits;
    BoxButtons buttons;
    BoxIcon icon;
  };
  const std::vector<Case> cases = {
      {0, BoxButtons::kOk, BoxIcon::kInformation},
      {1, BoxButtons::kOk, BoxIcon::kInformation},
      {4, BoxButtons::kYesNo, BoxIcon::kQuestion},
      {8 | 1, BoxButtons::kYesNo, BoxIcon::kQuestion},
      {2, BoxButtons::kOkCancel, BoxIcon::kExclamation},
      {3, BoxButtons::kOkCancel, BoxIcon::kExclamation},
      {2 | 4, BoxButtons::kYesNoCancel, BoxIcon::kQuestion},
      {15, BoxButtons::kYesNoCancel, BoxIcon::kQuestion},
  };
  for (const Case& c : cases) {
    ScriptRunner r;
    ASSERT_EQ(r.Run("INPUTMSGWIN A -1 -1 " + std::to_string(c.bits) + " \"Go on?\"\n").kind,
              RunOutcome::kFinished);
    ASSERT_EQ(r.boxes.asked.size(), 1u);
    EXPECT_EQ(r.boxes.asked[0].buttons, c.buttons) << c.bits;
    EXPECT_EQ(r.boxes.asked[0].icon, c.icon) << c.bits;
    EXPECT_EQ(r.boxes.asked[0].text, "Go on?");
    EXPECT_EQ(r.boxes.asked[0].caption, "KinetScript");
    EXPECT_EQ(r.boxes.asked[0].owner, nullptr);
    EXPECT_EQ(r.Var("A"), "2");  // no box could be shown
  }
  ScriptRunner r;
  r.boxes.answers = {BoxAnswer::kOk, BoxAnswer::kCancel, BoxAnswer::kYes, BoxAnswer::kNo};
  ASSERT_EQ(r.Run("INPUTMSGWIN A 0 0 1 \"\"\nINPUTMSGWIN B 0 0 3 \"\"\nINPUTMSGWIN C 0 0 14 "
                  "\"\"\nINPUTMSGWIN D 0 0 12 \"\"\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A") + r.Var("B") + r.Var("C") + r.Var("D"), "1248");
  EXPECT_NE(r.Run("INPUTMSGWIN A 0 x 1 \"\"\n").error_text.find("Needed a number"),
            std::string::npos);
}

TEST(SoundCommandTest, AToneSoundsAsLongAsTheDelay) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("SYSTEMTIMER T0\nSOUND 10 250\nSYSTEMTIMER T1\nSOUND 880 0\nSOUND 440 -5\n"
                  "SOUND 2000 20\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.sounds.tones, (std::vector<uint32_t>{19, 2000}));  // below 19 Hz: 19 Hz
  EXPECT_FALSE(r.sounds.tone_on);
  EXPECT_GE(std::stoi(r.Var("T1")) - std::stoi(r.Var("T0")), 250);
}

// A WAV file of `bits`-bit PCM holding `data`.
std::string Wav(uint32_t rate, uint16_t channels, uint16_t bits, const std::string& data,
                uint16_t tag = 1) {
  auto u32 = [](uint32_t v) {
    return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
  };
  auto u16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
  const uint16_t block = uint16_t(channels * bits / 8);
  return "RIFF" + u32(uint32_t(36 + data.size())) + "WAVEfmt " + u32(16) + u16(tag) +
         u16(channels) + u32(rate) + u32(rate * block) + u16(block) + u16(bits) + "data" +
         u32(uint32_t(data.size())) + data;
}

std::string Replies(ScriptRunner& r, const std::vector<std::string>& commands) {
  std::string script, replies;
  for (size_t i = 0; i < commands.size(); ++i)
    script += "MCISENDSTRING R" + std::to_string(i) + " '" + commands[i] + "'\n";
  EXPECT_EQ(r.Run(script).kind, RunOutcome::kFinished);
  for (size_t i = 0; i < commands.size(); ++i) replies += r.Var("R" + std::to_string(i)) + "|";
  return replies;
}

TEST(MciCommandTest, PlayStopAndCloseASoundFile) {
  ScriptRunner r;
  const std::string pcm = "\x01\x02\x03\x04\x05\x06";
  r.files.AddFile("tune.wav", Wav(22050, 1, 16, pcm));
  EXPECT_EQ(Replies(r, {"play tune.wav", "status TUNE.WAV mode", "stop tune.wav", "close tune.wav",
                        "stop all"}),
            "|playing||||");
  ASSERT_EQ(r.sounds.played.size(), 1u);
  EXPECT_EQ(r.sounds.played[0].format.rate, 22050u);
  EXPECT_EQ(r.sounds.played[0].format.bits, 16u);
  EXPECT_EQ(r.sounds.played[0].format.channels, 1u);
  EXPECT_EQ(std::string(r.sounds.played[0].pcm.begin(), r.sounds.played[0].pcm.end()), pcm);

  // An alias, a wait until the sound has played, and the end of the run stopping it.
  r.sounds.stops = 0;
  EXPECT_EQ(Replies(r, {"open \"tune.wav\" type waveaudio alias song", "play song wait",
                        "status song mode", "play Song"}),
            "||stopped||");
  EXPECT_EQ(r.sounds.played.size(), 3u);
  EXPECT_EQ(r.sounds.stops, 1);  // the run ended while it played
}

TEST(MciCommandTest, EverythingElseIsAnError) {
  ScriptRunner r;
  r.files.AddFile("tune.wav", Wav(8000, 2, 8, "\x80\x80"));
  r.files.AddFile("deep.wav", Wav(8000, 1, 24, "abc"));
  r.files.AddFile("packed.wav", Wav(8000, 1, 4, "ab", 2));
  r.files.AddFile("note.txt", "not a sound");
  const std::string unknown = "Error: The command is not known or not supported here.|";
  const std::string cannot =
      "Error: The sound file cannot be opened, or it holds no PCM sound of 8 or 16 bits.|";
  const std::string not_open = "Error: The sound file or device named is not open.|";
  const std::string option = "Error: An option of the command is not supported here.|";
  const std::string no_name = "Error: The command names no sound file or device.|";
  EXPECT_EQ(Replies(r, {"", "record tune.wav", "set tune.wav time format ms", "play",
                        "play missing.wav", "play note.txt", "play deep.wav", "play packed.wav",
                        "play tune.wav from 0", "stop other", "close other", "status tune.wav",
                        "open tune.wav alias", "open tune.wav type sequencer"}),
            unknown + unknown + unknown + no_name + cannot + cannot + cannot + cannot + option +
                not_open + not_open + option + option + option);
  EXPECT_TRUE(r.sounds.played.empty());
}

}  // namespace
}  // namespace kinet::script
