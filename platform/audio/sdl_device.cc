#include "platform/audio/sdl_device.h"

namespace kinet::platform {

namespace {

bool AudioStarted() {
  // SDL's audio subsystem stays up for the rest of the program once started.
  static const bool started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  return started;
}

}  // namespace

SDL_AudioDeviceID OpenSdlDevice(const PcmFormat& format, SDL_AudioCallback callback,
                                void* user_data) {
  if (!AudioStarted() || format.rate == 0 || (format.channels != 1 && format.channels != 2) ||
      (format.bits != 8 && format.bits != 16))
    return 0;
  SDL_AudioSpec want{};
  want.freq = static_cast<int>(format.rate);
  want.format = format.bits == 16 ? AUDIO_S16LSB : AUDIO_U8;
  want.channels = static_cast<Uint8>(format.channels);
  want.samples = 1024;
  want.callback = callback;
  want.userdata = user_data;
  SDL_AudioSpec have{};
  return SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
}

uint32_t DeviceBufferBytes(const PcmFormat& format) {
  return (format.BytesPerSecond() / 4 + 4095) / 4096 * 4096;
}

}  // namespace kinet::platform
