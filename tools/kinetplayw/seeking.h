// Moving playback to another frame. Frames code only what changed since the frame before and
// the file marks none that stands alone, so a complete picture of frame n is had only by
// decoding every frame before it: from the frame shown when n lies ahead, else from frame 1.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "kinet/kinet.h"
#include "platform/display/display.h"

namespace kinet::player {

// The pace that seconds are counted in: the handle's frame period in 10-microsecond units, or
// for an unpaced handle the file's own frame rate (10 frames a second when it has none).
uint32_t SecondsPeriod(uint32_t handle_period, int32_t file_frame_rate);

// The frame (from 1) that `input`'s seek key asks for when frame `shown` of `frames` is shown;
// `shown` when it asks for none. Always within 1..frames.
uint32_t SeekTarget(const platform::DisplayInput& input, uint32_t shown, uint32_t frames,
                    uint32_t period);

// Brings a handle to any frame with a complete picture in its destination. Pictures (with
// their palettes) of frames decoded whole are kept every few seconds, within a memory budget,
// so that a seek back decodes from the nearest one before its target instead of from frame 1.
class Seeker {
 public:
  // `picture` is the handle's destination of `picture_bytes` (null when only the sound plays);
  // `period` as for SeekTarget. Both outlive the seeker.
  Seeker(KinetHandle* h, uint8_t* picture, size_t picture_bytes, uint32_t period);

  // After each KinetDoFrame of the player: `decoded` false when the frame was skipped as late,
  // which leaves the picture incomplete until the next seek.
  void Done(bool decoded);
  // Positions the handle so that its next KinetDoFrame gives the complete picture of frame
  // `target` (from 1): the frames between are decoded into the destination without being
  // shown, from the frame shown when it is complete and lies before the target, else from the
  // nearest kept picture or frame 1. The caller turns the sound off first, so that their
  // sound is not fed and no frame is skipped as late.
  void DecodeUpTo(uint32_t target);

  size_t kept() const { return points_.size(); }

 private:
  struct Point {
    uint32_t frame;  // from 1
    std::vector<uint8_t> picture;
    std::array<uint8_t, 768> palette;
  };
  // The frame the handle is at, from 1; the ring frame shows the first.
  uint32_t Current() const;
  void Keep();
  // Steps from the frame at hand (decoded) to `target`, decoding every frame before it.
  void StepTo(uint32_t target);

  KinetHandle* h_;
  uint8_t* picture_;
  size_t picture_bytes_;
  uint32_t interval_;     // frames between kept pictures
  size_t max_points_;
  bool whole_ = false;    // the destination holds the complete picture of the current frame
  std::vector<Point> points_;  // by frame
};

// "Frame 12 of 250, 0:01.1 of 0:25.0": the read-out of frame `frame` (from 1).
std::string ReadOut(uint32_t frame, uint32_t frames, uint32_t period);

}  // namespace kinet::player
