// links: kinet_toolkit_sound
// Arbitrary bytes as a WAV file: the header reader, then, when it reads, the whole sound
// source delivering the sound in its own format and converted to other rates, sizes and
// channel counts (the "data" length is usually a lie here, so the sound ends with the file).
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "toolkit/sound/sound_source.h"
#include "toolkit/sound/wav_header.h"

namespace {

constexpr size_t kMostOutput = 1 << 16;  // per pass: a rate of 1 Hz raised 7919 times is long

void ReadSome(kinet::toolkit::SoundSource& source) {
  std::vector<uint8_t> buffer(4093);
  size_t total = 0;
  while (total < kMostOutput) {
    const size_t got = source.Read(buffer.data(), buffer.size());
    if (got == 0) break;
    total += got;
  }
}

const std::string& ScratchWav() {
  static const std::string path = (std::filesystem::temp_directory_path() /
                                   ("kinet-fuzz-wav-" + std::to_string(getpid()) + ".wav"))
                                      .string();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int fd = memfd_create("wav", 0);
  if (fd < 0) return 0;
  bool is_wav = false;
  if (write(fd, data, size) == static_cast<ssize_t>(size)) {
    kinet::platform::InputFile file;
    file.Borrow(fd);
    is_wav = kinet::toolkit::ReadWavHeader(file).has_value();
  }
  close(fd);
  if (!is_wav) return 0;

  std::ofstream(ScratchWav(), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  const kinet::toolkit::SoundOptions passes[] = {
      {},
      {.start = 3, .end = 40, .rate = 7919, .bits = 8, .channels = 2},
      {.rate = 44100, .bits = 16, .channels = 1},
  };
  for (const auto& options : passes) {
    if (auto source = kinet::toolkit::OpenSoundSource(kinet::platform::SystemFileSystem(), options,
                                                      ScratchWav())) {
      ReadSome(*source);
      if (source->Rewind()) ReadSome(*source);
    }
  }
  std::filesystem::remove(ScratchWav());
  return 0;
}
