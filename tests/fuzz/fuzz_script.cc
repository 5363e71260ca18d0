// links: kinet_script
// Feeds arbitrary bytes to the script loader and interpreter as a script file. Everything runs
// without a window and without video files, against an in-memory file system, a manual clock and a
// private environment, with a step limit and a small bitmap budget, so no input can touch the disk,
// wait, or run forever.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/audio/sound_clips.h"
#include "platform/clock/clock.h"
#include "platform/environment/environment.h"
#include "platform/files/memory_file_system.h"
#include "platform/message_box/message_box.h"
#include "platform/process/program_starter.h"
#include "scriptplayer/engine/interpreter.h"

namespace {

// Video files are read by the playback library from the real file system: a fuzzed name must
// not reach it (a device or a pipe could block), so no video ever opens here.
class FuzzHost : public kinet::script::PlayerHost {
 public:
  using PlayerHost::PlayerHost;
  KinetHandle* OpenVideo(const std::string&, uint32_t) override { return nullptr; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kinet::platform::MemoryFileSystem files;
  files.MakeDirectory("/tmp");
  std::string script(reinterpret_cast<const char*>(data), size);
  files.AddFile("fuzz.ss", script);
  // A second file so CALL and CALLANDGOSUB have something to nest into.
  files.AddFile("sub.ss", ":entry\nVARSET S 1\nRETURN\n");
  kinet::platform::ManualClock clock;
  kinet::platform::MapEnvironment environment;
  kinet::platform::RecordingProgramStarter programs;
  kinet::platform::ScriptedMessageBoxes boxes;
  kinet::platform::RecordingSoundClips sounds;
  FuzzHost host({&files, &clock, &environment, &programs, {}, &boxes, &sounds});
  kinet::script::Services services;
  services.host = &host;
  services.step_limit = 5000;
  services.wait_slice_ms = 1u << 30;
  services.bitmap_budget = 1 << 16;
  kinet::script::Interpreter interpreter(services);
  (void)interpreter.Run("fuzz.ss");
  return 0;
}
