// Animated GIF: every picture of a file composed on its logical screen, as a browser shows
// them: each picture drawn over what the one before left (transparent pixels keep it), then
// disposed of as its control block says (left, cleared to the background, or put back as it
// was). Files whose pictures all use the global colour table come out as 8-bit frames with
// that palette; files with local tables come out as 24-bit frames, for the colour work.
// Nothing here throws.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/images/image.h"

namespace kinet::platform {

class GifAnimation {
 public:
  // Pictures beyond this count are not read: no outside file makes the reader loop without
  // end.
  static constexpr uint32_t kMaxFrames = 100000;

  // The animation in `bytes`, checked whole once (every picture's sides and lines). Null when
  // the bytes are no GIF, are malformed before the first picture ends, or hold no picture. A
  // file cut after some pictures keeps those.
  static std::unique_ptr<GifAnimation> Decode(std::vector<uint8_t> bytes);
  // The same for a file. Null when it cannot be read.
  static std::unique_ptr<GifAnimation> ReadFile(const std::string& path);
  ~GifAnimation();

  uint32_t width() const { return width_; }
  uint32_t height() const { return height_; }
  uint32_t frame_count() const { return static_cast<uint32_t>(delays_.size()); }
  // How long each picture stands, in milliseconds, as the file says (0 when it says nothing).
  const std::vector<uint32_t>& delays_ms() const { return delays_; }
  // 8 when every picture uses the global colour table, else 24.
  uint32_t bits() const { return bits_; }
  uint64_t file_bytes() const { return bytes_.size(); }

  // Composes the next picture and delivers the screen; after the last one starts over at the
  // first. False when the picture cannot be read.
  [[nodiscard]] bool Next(Image& frame);
  // Back to the first picture.
  void Rewind();

 private:
  struct Decoder;
  GifAnimation() = default;
  bool Scan();
  bool Restart();
  bool DrawNext(Image& frame);

  std::vector<uint8_t> bytes_;
  uint32_t width_ = 0, height_ = 0, bits_ = 8;
  std::vector<uint32_t> delays_;
  std::unique_ptr<Decoder> decoder_;
  uint32_t next_ = 0;
  Image screen_, before_;  // the screen, and the screen before the last picture (disposal 3)
  uint32_t dispose_ = 0;   // how the last picture is disposed of before the next one
  uint32_t last_left_ = 0, last_top_ = 0, last_width_ = 0, last_height_ = 0;
  std::vector<uint8_t> line_;
};

}  // namespace kinet::platform
