#include "toolkit/graphics/source_supply.h"

namespace kinet::toolkit {

PictureSupply::Result LookAheadSupply::Next(const platform::Image*& picture,
                                            FrameWindow& window) {
  window = window_;
  if (!current_given_) {
    current_given_ = true;
    picture = &current_;
    ++next_;
    return Result::kPicture;
  }
  if (next_ >= source_.frame_count()) return Result::kEnd;
  if (!source_.ReadAhead(next_++, ahead_)) return Result::kFailed;
  picture = &ahead_;
  return Result::kPicture;
}

PictureSupply::Result PaletteFileSupply::Next(const platform::Image*& picture,
                                              FrameWindow& window) {
  if (file_->at_end()) return Result::kEnd;
  if (!file_->NextFrame()) return Result::kFailed;
  picture = &file_->picture();
  window = {0, 0, file_->picture().width, file_->picture().height};
  return Result::kPicture;
}

}  // namespace kinet::toolkit
