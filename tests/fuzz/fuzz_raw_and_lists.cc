// links: kinet_toolkit_graphics
// Arbitrary bytes as the small text and binary inputs of the graphics source: each line as a
// list-file line and as a series name, and the whole as a raw file and as a sound file that
// gives blank frames.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/graphics/raw_reader.h"
#include "toolkit/graphics/wav_blanks.h"
#include "toolkit/list_file.h"
#include "toolkit/series_name.h"

namespace {

kinet::platform::InputFile Borrowed(int fd) {
  kinet::platform::InputFile file;
  file.Borrow(fd);
  file.Seek(0);
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (size_t at = 0; at <= text.size();) {
    const size_t end = std::min(text.find('\n', at), text.size());
    const std::string line(text.substr(at, end - at));
    kinet::toolkit::ParseListLine(line);
    if (auto series = kinet::toolkit::ParseSeriesName(line)) series->FileName(series->last);
    at = end + 1;
  }
  const int fd = memfd_create("raw", 0);
  if (fd < 0) return 0;
  if (write(fd, data, size) == static_cast<ssize_t>(size)) {
    kinet::platform::Image frame;
    if (auto raw = kinet::toolkit::RawReader::Open(Borrowed(fd))) {
      for (uint32_t i = 0; i < raw->frame_count() && i < 8; ++i) raw->Read(frame);
    }
    if (auto wav = kinet::toolkit::WavBlankReader::Open(Borrowed(fd), "input.wav")) wav->Read(frame);
  }
  close(fd);
  return 0;
}
