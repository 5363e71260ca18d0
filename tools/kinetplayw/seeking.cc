#include "tools/kinetplayw/seeking.h"

#include <algorithm>
#include <cstdio>

namespace kinet::player {

namespace {

// m:ss.t of `ticks` 10-microsecond units.
std::string Time(uint64_t ticks) {
  const uint64_t tenths = ticks / 10000;
  char text[32];
  std::snprintf(text, sizeof text, "%llu:%02llu.%llu",
                static_cast<unsigned long long>(tenths / 600),
                static_cast<unsigned long long>(tenths / 10 % 60),
                static_cast<unsigned long long>(tenths % 10));
  return text;
}

}  // namespace

uint32_t SecondsPeriod(uint32_t handle_period, int32_t file_frame_rate) {
  if (handle_period) return handle_period;
  if (file_frame_rate > 0) return static_cast<uint32_t>(file_frame_rate) * 100;
  if (file_frame_rate < 0) return static_cast<uint32_t>(-int64_t{file_frame_rate});
  return 10000;
}

uint32_t SeekTarget(const platform::DisplayInput& input, uint32_t shown, uint32_t frames,
                    uint32_t period) {
  switch (input.seek) {
    case platform::DisplaySeek::kNone:
      return shown;
    case platform::DisplaySeek::kFirst:
      return 1;
    case platform::DisplaySeek::kLast:
      return frames;
    case platform::DisplaySeek::kSeconds:
      break;
  }
  const int64_t step = int64_t{input.seconds} * 100000 / std::max<uint32_t>(period, 1);
  return static_cast<uint32_t>(std::clamp<int64_t>(int64_t{shown} + step, 1, frames));
}

namespace {

// Seconds between kept pictures, and the memory all of them may take.
constexpr uint32_t kKeepSeconds = 5;
constexpr size_t kKeepBudget = size_t{64} << 20;

}  // namespace

Seeker::Seeker(KinetHandle* h, uint8_t* picture, size_t picture_bytes, uint32_t period)
    : h_(h),
      picture_(picture),
      picture_bytes_(picture_bytes),
      interval_(std::max<uint32_t>(kKeepSeconds * 100000 / std::max<uint32_t>(period, 1), 1)),
      max_points_(picture_bytes ? kKeepBudget / picture_bytes : 0) {}

uint32_t Seeker::Current() const { return h_->FrameNum >= h_->Frames ? 1 : h_->FrameNum + 1; }

void Seeker::Done(bool decoded) {
  // Frame 1 stands alone; any other frame (the ring frame too) is complete only over the one
  // before.
  whole_ = decoded && (whole_ || h_->FrameNum == 0);
  if (whole_) Keep();
}

void Seeker::Keep() {
  const uint32_t frame = h_->FrameNum + 1;
  if (!picture_ || h_->FrameNum >= h_->Frames || frame % interval_ != 0 ||
      points_.size() >= max_points_)
    return;
  auto at = std::lower_bound(points_.begin(), points_.end(), frame,
                             [](const Point& p, uint32_t f) { return p.frame < f; });
  if (at != points_.end() && at->frame == frame) return;
  Point point{frame, std::vector<uint8_t>(picture_, picture_ + picture_bytes_), {}};
  std::copy_n(h_->Palette, 768, point.palette.begin());
  points_.insert(at, std::move(point));
}

void Seeker::StepTo(uint32_t target) {
  // With a ring frame at hand (its picture is frame 1's) the step wraps on to frame 2.
  for (KinetNextFrame(h_); Current() < target && !h_->ReadError; KinetNextFrame(h_)) {
    KinetDoFrame(h_);
    Keep();
  }
}

void Seeker::DecodeUpTo(uint32_t target) {
  const uint32_t shown = Current();
  if (whole_ && shown < target) {
    StepTo(target);
    whole_ = true;
    return;
  }
  // The kept picture nearest before the target, else frame 1 decoded afresh.
  auto after = std::lower_bound(points_.begin(), points_.end(), target,
                                [](const Point& p, uint32_t f) { return p.frame < f; });
  KinetGoto(h_, 1);
  if (after != points_.begin()) {
    const Point& p = *(after - 1);
    std::copy(p.picture.begin(), p.picture.end(), picture_);
    // The next record's palette changes this one, as it changed it when played.
    std::copy(p.palette.begin(), p.palette.end(), h_->Palette);
    KinetGoto(h_, p.frame + 1);
    for (; Current() < target && !h_->ReadError; KinetNextFrame(h_)) {
      KinetDoFrame(h_);
      Keep();
    }
  } else if (target > 1) {
    KinetDoFrame(h_);
    StepTo(target);
  }
  whole_ = true;
}

std::string ReadOut(uint32_t frame, uint32_t frames, uint32_t period) {
  return "Frame " + std::to_string(frame) + " of " + std::to_string(frames) + ", " +
         Time(uint64_t{frame - 1} * period) + " of " + Time(uint64_t{frames} * period);
}

}  // namespace kinet::player
