#include "platform/audio/sdl_device.h"

namespace kinet::platform {

namespace {

bool AudioStarted() {
  // SDL's audio subsystem stays up for the rest of the program once started.
  static const bool started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  return started;
}

// Sample frames of one buffer of SDL's device thread, which closing the device waits for: at
// most an eighth of a second of sound (a power of two, 64 to 1024).
Uint16 DeviceSamples(uint32_t rate) {
  Uint16 samples = 1024;
  while (samples > 64 && samples > rate / 8) samples /= 2;
  return samples;
}

}  // namespace

SDL_AudioDeviceID OpenSdlDevice(const PcmFormat& format, SDL_AudioCallback callback,
                                void* user_data) {
  if (!AudioStarted() || format.rate < kLowestPlayedRate ||
      (format.channels != 1 && format.channels != 2) || (format.bits != 8 && format.bits != 16))
    return 0;
  SDL_AudioSpec want{};
  want.freq = static_cast<int>(format.rate);
  want.format = format.bits == 16 ? AUDIO_S16LSB : AUDIO_U8;
  want.channels = static_cast<Uint8>(format.channels);
  want.samples = DeviceSamples(format.rate);
  want.callback = callback;
  want.userdata = user_data;
  SDL_AudioSpec have{};
  return SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
}

uint32_t DeviceBufferBytes(const PcmFormat& format) {
  return (format.BytesPerSecond() / 4 + 4095) / 4096 * 4096;
}

}  // namespace kinet::platform
