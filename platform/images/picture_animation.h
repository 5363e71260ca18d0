// Picture files that hold an animation (animated GIF, animated PNG): every frame composed on
// the file's screen as a browser shows it. Nothing here throws.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/images/image.h"

namespace kinet::platform {

class PictureAnimation {
 public:
  // Frames beyond this count are not read: no outside file makes a reader loop without end.
  static constexpr uint32_t kMaxFrames = 100000;

  virtual ~PictureAnimation() = default;
  virtual uint32_t width() const = 0;
  virtual uint32_t height() const = 0;
  uint32_t frame_count() const { return static_cast<uint32_t>(delays_ms().size()); }
  // How long each frame stands, in milliseconds, as the file says (0 when it says nothing).
  virtual const std::vector<uint32_t>& delays_ms() const = 0;
  virtual uint64_t file_bytes() const = 0;
  // Composes the next frame and delivers the screen (8-bit with a palette, or 24-bit); after
  // the last one starts over at the first. False when the frame cannot be read.
  [[nodiscard]] virtual bool Next(Image& frame) = 0;
  // Back to the first frame.
  virtual void Rewind() = 0;
};

// The animation in a picture file: a GIF with more than one picture, or a PNG with an
// animation control chunk and more than one frame. Null for anything else (a still picture,
// another format, a file of `files` that cannot be read or is malformed before its second
// frame).
std::unique_ptr<PictureAnimation> ReadPictureAnimation(FileSystem& files, const std::string& path);

// The whole contents of a file of `files` of at most 2 GiB. Empty when it cannot be read.
std::vector<uint8_t> ReadWholeSmallFile(FileSystem& files, const std::string& path);

}  // namespace kinet::platform
