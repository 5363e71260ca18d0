#include "scriptplayer/commands/sounds.h"

#include <algorithm>

#include "kinet/kinet.h"
#include "scriptplayer/engine/interpreter.h"

namespace kinet::script::cmd {

// The tone sounds for the time as DELAY waits it (and the script waits as long when no
// device can sound it); frequencies below 19 Hz are taken as 19.
void Sound(Interpreter& in) {
  constexpr int32_t kLowest = 19;
  const int32_t frequency = std::max(in.ArgNumber(), kLowest);
  const int32_t ms = in.ArgNumber();
  if (ms <= 0) return;
  platform::SoundClips& sounds = in.host().sounds();
  (void)sounds.StartTone(uint32_t(frequency));
  in.WaitUntil(in.host().clock().NowMs() + uint32_t(ms));
  sounds.StopTone();
}

// Videos opened from now on play their sound through the device-thread driver (when no
// driver is installed yet: the first one stays for the whole run).
void SystemUseDirectSound(Interpreter& /*in*/) { (void)KinetSoundUseDirectSound(nullptr); }

}  // namespace kinet::script::cmd
