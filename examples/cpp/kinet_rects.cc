// kinet_rects: plays a Kinetor video file into memory and tells how much of the picture each
// frame changed, from the change rectangles the library hands out.
//
//   kinet_rects file.knt
#include <cstdio>
#include <memory>
#include <vector>

#include "kinet/kinet.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: kinet_rects file.knt\n");
    return 2;
  }
  const auto close = [](KinetHandle* h) { KinetClose(h); };
  std::unique_ptr<KinetHandle, decltype(close)> h(KinetOpen(argv[1], KINET_OPEN_NO_SKIP, -1),
                                                   close);
  if (!h) {
    std::fprintf(stderr, "%s cannot be opened as a video file\n", argv[1]);
    return 1;
  }
  std::vector<uint8_t> picture(size_t{h->Width} * h->Height);
  KinetToBuffer(h.get(), 0, 0, static_cast<int32_t>(h->Width), static_cast<int32_t>(h->Height),
                picture.data(), 0);
  uint64_t changed = 0;
  for (uint32_t frame = 0; frame < h->Frames && !h->ReadError; ++frame) {
    KinetDoFrame(h.get());
    // Mode 0: the changed parts, merged into few rectangles where worthwhile.
    while (KinetToBufferRect(h.get(), 0)) changed += uint64_t{h->LastRectW} * h->LastRectH;
    KinetNextFrame(h.get());
  }
  if (h->ReadError) {
    std::fprintf(stderr, "%s ends before its last frame\n", argv[1]);
    return 1;
  }
  const uint64_t whole = uint64_t{h->Width} * h->Height * h->Frames;
  std::printf("%u frames of %u x %u; %.1f%% of the pixels changed\n", h->Frames, h->Width,
              h->Height, whole ? 100.0 * static_cast<double>(changed) / static_cast<double>(whole) : 0.0);
  return 0;
}
