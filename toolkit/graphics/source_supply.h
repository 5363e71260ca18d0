// The pictures a graphics source hands its colour work when a new palette is due: the frame
// being converted and the frames after it, or the pictures of the palette file (/&).
#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/colour/picture_supply.h"
#include "toolkit/graphics/graphics_source.h"

namespace kinet::toolkit {

// Reads ahead in `source` from frame `index` (whose picture is `current`), within the range.
class LookAheadSupply : public PictureSupply {
 public:
  LookAheadSupply(GraphicsSource& source, uint32_t index, const platform::Image& current,
                  const FrameWindow& window)
      : source_(source), next_(index), current_(current), window_(window) {}
  Result Next(const platform::Image*& picture, FrameWindow& window) override;
  // The source reads the next frame by its number, so nothing needs to be moved back.
  bool EndAnalysis() override { return true; }

 private:
  GraphicsSource& source_;
  uint32_t next_;
  const platform::Image& current_;
  FrameWindow window_;
  platform::Image ahead_;
  bool current_given_ = false;
};

// The pictures of a palette file, from its first, as a second source without colour work.
class PaletteFileSupply : public PictureSupply {
 public:
  explicit PaletteFileSupply(std::unique_ptr<GraphicsSource> file) : file_(std::move(file)) {}
  Result Next(const platform::Image*& picture, FrameWindow& window) override;
  bool EndAnalysis() override { return file_->Rewind(); }

 private:
  std::unique_ptr<GraphicsSource> file_;
};

}  // namespace kinet::toolkit
