#include "toolkit/graphics/avi_frames.h"

namespace kinet::toolkit {

std::unique_ptr<AviFrames> AviFrames::Open(platform::FileSystem& files, const std::string& path) {
  auto avi = platform::AviReader::Open(files, path);
  if (!avi) return nullptr;
  return std::unique_ptr<AviFrames>(new AviFrames(std::move(avi)));
}

uint64_t AviFrames::Read(platform::Image& frame) {
  if (next_ >= avi_->frame_count()) next_ = 0;
  const uint64_t bytes = avi_->ReadFrame(next_, frame);
  if (bytes > 0) ++next_;
  return bytes;
}

bool AviFrames::Rewind() {
  next_ = 0;
  return true;
}

}  // namespace kinet::toolkit
