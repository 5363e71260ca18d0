// One kind of graphics input seen as a sequence of pictures: a flic, a video file, a still
// picture or a numbered series of them, an AVI file, a raw file, or a sound file that gives
// blank frames. The source descriptor (graphics_source.h) puts readers together and applies
// ranges, sub-frames and the colour work.
#pragma once

#include <cstdint>
#include <string>

#include "platform/images/image.h"
#include "toolkit/series_name.h"

namespace kinet::toolkit {

class FrameReader {
 public:
  virtual ~FrameReader() = default;

  // Picture size of the first frame; later frames of a series may differ.
  virtual uint32_t width() const = 0;
  virtual uint32_t height() const = 0;
  virtual uint32_t frame_count() const = 0;
  // Frame period in the FrameRate form: positive milliseconds, or minus the period in
  // 10-microsecond units.
  virtual int32_t frame_rate() const = 0;
  // Bytes of the files read.
  virtual uint64_t total_bytes() const = 0;

  // Reads the next frame into `frame` (8-bit with its palette, or 16/24/32-bit) and returns
  // the bytes it took in its file; 0 when it cannot be read (a cut or malformed file). After
  // the last frame the reader starts over at the first.
  virtual uint64_t Read(platform::Image& frame) = 0;
  // The file the next Read takes its frame from, for messages: a series names one per frame;
  // other readers give the empty text (their entry's file).
  virtual std::string NextFile() const { return {}; }
  // The numbered series read one file a frame, when the reader is one.
  virtual const SeriesName* series() const { return nullptr; }
  // A remark about the input that the tool shows when it opens (a varying frame delay, say);
  // empty when there is none.
  virtual std::string Remark() const { return {}; }
  // Back to the first frame. False when that fails.
  virtual bool Rewind() = 0;
  // Passes over `count` frames. False when one cannot be read. Readers that can seek do.
  virtual bool Skip(uint32_t count) {
    platform::Image scratch;
    for (uint32_t i = 0; i < count; ++i) {
      if (Read(scratch) == 0) return false;
    }
    return true;
  }
};

}  // namespace kinet::toolkit
