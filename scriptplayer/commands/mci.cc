#include "scriptplayer/commands/mci.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/files/input_file.h"
#include "scriptplayer/engine/interpreter.h"
#include "toolkit/sound/wav_header.h"

namespace kinet::script::cmd {
namespace {

// The reasons a command string fails.
constexpr std::string_view kUnknownCommand = "The command is not known or not supported here.";
constexpr std::string_view kNoDevice = "The command names no sound file or device.";
constexpr std::string_view kBadOption = "An option of the command is not supported here.";
constexpr std::string_view kCannotOpen =
    "The sound file cannot be opened, or it holds no PCM sound of 8 or 16 bits.";
constexpr std::string_view kNotOpen = "The sound file or device named is not open.";
constexpr std::string_view kNoOutput = "No sound output device can play the sound.";

// More sound than this is no sound file a script plays.
constexpr uint64_t kLongestSound = uint64_t{256} << 20;
constexpr uint32_t kPlayingSliceMs = 10;

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The words of a command string; double quotes group a name with blanks.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    if (std::isspace(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    std::string word;
    if (text[i] == '"') {
      const size_t end = std::min(text.find('"', i + 1), text.size());
      word = text.substr(i + 1, end - i - 1);
      i = end + 1;
    } else {
      while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])))
        word += text[i++];
    }
    words.push_back(std::move(word));
  }
  return words;
}

// The one open sound.
struct MciState : FamilyState {
  explicit MciState(Interpreter& in) : sounds(in.host().sounds()) {}
  void RunEnded() override {
    if (!file.empty()) sounds.StopSound();
  }
  bool Names(const std::string& device) const {
    return !file.empty() && (Lower(device) == Lower(file) || Lower(device) == alias);
  }
  void Close() {
    if (!file.empty()) sounds.StopSound();
    file.clear();
    alias.clear();
    pcm.clear();
  }

  platform::SoundClips& sounds;
  std::string file, alias;  // alias in lower case
  platform::PcmFormat format;
  std::vector<uint8_t> pcm;
};

struct Reply {
  std::string_view error;  // empty on success
  std::string text;
};

Reply Fail(std::string_view reason) { return {reason, {}}; }

std::string_view Load(Interpreter& in, MciState& state, const std::string& name) {
  platform::InputFile file;
  if (!file.Open(in.host().files(), name)) return kCannotOpen;
  const auto header = toolkit::ReadWavHeader(file);
  if (!header || !header->format.usable() || !file.Seek(header->data_offset)) return kCannotOpen;
  std::vector<uint8_t> pcm(std::min<uint64_t>(header->data_length, kLongestSound));
  pcm.resize(file.Read(pcm.data(), pcm.size()));
  state.Close();
  state.file = name;
  state.format = {header->format.rate, header->format.channels, header->format.bits};
  state.pcm = std::move(pcm);
  return {};
}

Reply Open(Interpreter& in, MciState& state, const std::vector<std::string>& w) {
  if (w.size() < 2) return Fail(kNoDevice);
  std::string alias;
  for (size_t i = 2; i < w.size(); i += 2) {
    const std::string option = Lower(w[i]);
    if (i + 1 >= w.size()) return Fail(kBadOption);
    if (option == "alias") {
      alias = Lower(w[i + 1]);
    } else if (option != "type" || Lower(w[i + 1]) != "waveaudio") {
      return Fail(kBadOption);
    }
  }
  if (std::string_view error = Load(in, state, w[1]); !error.empty()) return Fail(error);
  state.alias = alias;
  return {};
}

Reply Play(Interpreter& in, MciState& state, const std::vector<std::string>& w) {
  if (w.size() < 2) return Fail(kNoDevice);
  bool wait = false;
  for (size_t i = 2; i < w.size(); ++i) {
    const std::string option = Lower(w[i]);
    if (option == "wait") {
      wait = true;
    } else if (option != "notify") {
      return Fail(kBadOption);
    }
  }
  if (!state.Names(w[1])) {
    if (std::string_view error = Load(in, state, w[1]); !error.empty()) return Fail(error);
  }
  if (!state.sounds.PlaySound(state.format, state.pcm)) return Fail(kNoOutput);
  // A wait ends when the sound has played, or at the latest a second after its length.
  const uint64_t length_ms = state.pcm.size() * 1000 / std::max(state.format.BytesPerSecond(), 1u);
  const uint32_t deadline =
      in.host().clock().NowMs() + uint32_t(std::min<uint64_t>(length_ms + 1000, INT32_MAX));
  while (wait && state.sounds.SoundPlaying() && int32_t(deadline - in.host().clock().NowMs()) > 0) {
    in.Pump();
    in.host().clock().SleepMs(kPlayingSliceMs);
  }
  return {};
}

// stop and close: the open sound by its file or alias, or "all".
Reply StopOrClose(MciState& state, const std::vector<std::string>& w, bool close) {
  if (w.size() < 2) return Fail(kNoDevice);
  if (w.size() > 2) return Fail(kBadOption);
  const bool all = Lower(w[1]) == "all";
  if (!all && !state.Names(w[1])) return Fail(kNotOpen);
  if (close) {
    state.Close();
  } else if (!state.file.empty()) {
    state.sounds.StopSound();
  }
  return {};
}

Reply Status(MciState& state, const std::vector<std::string>& w) {
  if (w.size() < 2) return Fail(kNoDevice);
  if (w.size() != 3 || Lower(w[2]) != "mode") return Fail(kBadOption);
  if (!state.Names(w[1])) return Fail(kNotOpen);
  return {{}, state.sounds.SoundPlaying() ? "playing" : "stopped"};
}

Reply Send(Interpreter& in, std::string_view command) {
  const std::vector<std::string> w = Words(command);
  if (w.empty()) return Fail(kUnknownCommand);
  MciState& state = in.State<MciState>();
  const std::string verb = Lower(w[0]);
  if (verb == "open") return Open(in, state, w);
  if (verb == "play") return Play(in, state, w);
  if (verb == "stop") return StopOrClose(state, w, false);
  if (verb == "close") return StopOrClose(state, w, true);
  if (verb == "status") return Status(state, w);
  return Fail(kUnknownCommand);
}

}  // namespace

void MciSendString(Interpreter& in) {
  std::string name = in.ArgName();
  std::string command = in.ArgText();
  Reply reply = Send(in, command);
  in.SetVariable(name, reply.error.empty() ? reply.text : "Error: " + std::string(reply.error));
}

}  // namespace kinet::script::cmd
