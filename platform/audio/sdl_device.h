// Opening an SDL audio device for a PCM format, shared by the polled and callback drivers.
#pragma once

#include <SDL.h>

#include "platform/audio/sound_driver.h"

namespace kinet::platform {

// Opens the default output device in exactly `format` (SDL converts for the hardware), paused.
// With a null callback the device is fed with SDL_QueueAudio. Returns 0 when there is no audio
// device (SDL's audio cannot start, or the device refuses).
SDL_AudioDeviceID OpenSdlDevice(const PcmFormat& format, SDL_AudioCallback callback,
                                void* user_data);

// Bytes of one device buffer: a quarter second, rounded up to a multiple of 4096.
uint32_t DeviceBufferBytes(const PcmFormat& format);

}  // namespace kinet::platform
