// The two SDL drivers behind MakeSoundDriver (sound_driver.h).
#pragma once

#include <memory>

#include "platform/audio/sound_driver.h"

namespace kinet::platform {

std::unique_ptr<SoundDriver> MakePolledDriver();
std::unique_ptr<SoundDriver> MakeCallbackDriver();

}  // namespace kinet::platform
