// The analysis pass of the compressor, one frame at a time: compares each picture with what a
// player shows at that moment (the reconstruction of the frame before), gives every 4x4 block
// the kind it is coded by, picks the error threshold that fits the frame's budget, decides
// automatic key frames, and reconstructs the picture exactly as kinet::DecodeFrameVideo
// (lib/core/frame_decoder.h) will show it from the code words. The code words go to
// VideoTreeSet (frame_writer.h) and the run file (run_file.h).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "compressor/block_analysis.h"
#include "compressor/colour_distances.h"
#include "compressor/rate_control.h"
#include "compressor/threshold_search.h"
#include "compressor/video_cost_model.h"

namespace kinet::encoder {

struct EncoderSettings {
  uint32_t width = 0, height = 0;  // the stored picture; blocks cover width / 4 x height / 4
  PaletteRange palette;            // entries fills and pairs may use
  // A frame with more blocks above its threshold than this (and not a key frame already)
  // becomes a key frame. The block count or more: never.
  uint32_t auto_key_blocks = UINT32_MAX;
  uint32_t min_key_distance = 0x10000000;  // a key frame at least this often
  int32_t regular_rate = 240000;           // rate codes, percentages of size already rates
  int32_t key_rate = 20;
  uint32_t period = 0;  // frame period P in 10-microsecond units
};

// One frame as the analysis reads it.
struct FramePicture {
  const uint8_t* pixels = nullptr;   // width x height, rows top to bottom
  const uint8_t* palette = nullptr;  // 256 x red, green, blue
  uint64_t source_bytes = 0;         // the frame's size in its source (per-frame rate codes)
  bool hinted_key = false;
  int32_t hinted_rate = kNoRateCode;
  uint64_t sound_bytes = 0;  // what its record spends on sound, out of its data rate
};

class FrameEncoder {
 public:
  // Null when the buffers cannot be allocated.
  static std::unique_ptr<FrameEncoder> Create(const EncoderSettings& settings);

  // Encodes the next frame. `next` is the frame after it (null for the last one): blocks that
  // stay the same into a palette change are coded exactly, since the next frame will keep them.
  void Encode(const FramePicture& frame, const FramePicture* next);

  // Results of the last Encode. Code words per block in raster order (block_codes.h).
  const std::vector<uint32_t>& codes() const { return codes_; }
  // The picture a player shows after this frame, width x height.
  const std::vector<uint8_t>& reconstruction() const { return raster_; }
  const std::array<uint8_t, 768>& palette() const { return palette_; }
  bool key_frame() const { return key_; }
  bool auto_key() const { return auto_key_; }

 private:
  explicit FrameEncoder(const EncoderSettings& settings);

  int32_t RateCode(const FramePicture& frame) const;
  void ToBlockOrder(const uint8_t* raster, std::vector<uint8_t>& out) const;
  void Analyse(uint32_t block);
  void CompareBlocks(bool palette_changed);
  void KeepExactIntoPaletteChange(const FramePicture& next);
  uint32_t ChooseThreshold(const FramePicture& frame, uint64_t* leftover);
  double TargetBytes(const FramePicture& frame, int32_t code);
  void MeetTarget(const FramePicture& frame, uint32_t threshold, uint64_t leftover);
  FrameCodes Codes(const FramePicture& frame) const;
  bool AllExact() const;
  uint32_t CountChanged(uint32_t threshold) const;
  void Classify(uint32_t threshold, uint64_t leftover);
  // The code word of block b by the first kind within the threshold: skip, fill, two-colour,
  // else full.
  uint32_t CodeWithin(uint32_t b, uint32_t threshold) const;
  void Reconstruct();
  BlockErrors Errors() const;

  EncoderSettings s_;
  uint32_t blocks_per_row_, blocks_;
  ColourDistances distances_;
  std::array<uint8_t, 768> palette_{}, previous_palette_{};
  std::vector<uint8_t> current_, previous_source_, shown_, next_, raster_;
  std::vector<uint32_t> skip_, fill_, two_, two_word_, codes_;
  std::vector<uint8_t> fill_colour_;
  uint32_t frame_ = 0, last_key_ = 0;
  bool key_ = false, auto_key_ = false, palette_changed_ = false;
  // Data rates: the frame's share of the rate, what its record spends besides the video, the
  // bytes its video may take; what each of the last frames of a second took beyond its share;
  // what the file's statistics make of a choice (from the first frame at a data rate on), and
  // the price of a cost unit so far.
  double share_ = 0, overhead_ = 0, target_ = 0;
  std::vector<double> excess_;
  bool rate_coded_ = false;
  std::unique_ptr<VideoCostModel> model_;
  UnitPrice price_;
  ThresholdSearch search_;  // of the frame's errors as they stand when its threshold is chosen
  std::vector<uint32_t> fitting_codes_;
};

}  // namespace kinet::encoder
