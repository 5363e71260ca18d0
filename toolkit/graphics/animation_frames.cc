#include "toolkit/graphics/animation_frames.h"

#include <algorithm>
#include <map>

namespace kinet::toolkit {

uint32_t CommonDelayMs(const std::vector<uint32_t>& delays_ms) {
  std::map<uint32_t, uint32_t> counts;
  for (uint32_t delay : delays_ms) ++counts[delay < 20 ? 100 : delay];
  uint32_t best = 100, best_count = 0;
  for (const auto& [delay, count] : counts) {
    if (count > best_count) best = delay, best_count = count;
  }
  return best;
}

std::unique_ptr<AnimationFrames> AnimationFrames::Open(platform::FileSystem& files,
                                                       const std::string& path) {
  auto animation = platform::ReadPictureAnimation(files, path);
  if (!animation) return nullptr;
  std::unique_ptr<AnimationFrames> frames(new AnimationFrames);
  const auto& delays = animation->delays_ms();
  frames->period_ms_ = CommonDelayMs(delays);
  const auto [shortest, longest] = std::minmax_element(delays.begin(), delays.end());
  if (*shortest != *longest) {
    frames->remark_ = "Frame delays vary from " + std::to_string(*shortest) + " to " +
                      std::to_string(*longest) + " ms; each frame shows for " +
                      std::to_string(frames->period_ms_) + " ms, the most common delay.";
  }
  frames->animation_ = std::move(animation);
  return frames;
}

uint64_t AnimationFrames::Read(platform::Image& frame) {
  if (!animation_->Next(frame)) return 0;
  // The file is read whole; each frame counts an equal share of it.
  return std::max<uint64_t>(1, animation_->file_bytes() / animation_->frame_count());
}

bool AnimationFrames::Rewind() {
  animation_->Rewind();
  return true;
}

}  // namespace kinet::toolkit
