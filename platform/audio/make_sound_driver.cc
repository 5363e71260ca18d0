#include "platform/audio/sdl_drivers.h"

namespace kinet::platform {

std::unique_ptr<SoundDriver> MakeSoundDriver(SoundDriverKind kind) {
  return kind == SoundDriverKind::kCallback ? MakeCallbackDriver() : MakePolledDriver();
}

}  // namespace kinet::platform
