#include "compressor/frame_encoder.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "compressor/block_codes.h"
#include "compressor/palette_encoder.h"

namespace kinet::encoder {

namespace {

bool SameBlock(const uint8_t* a, const uint8_t* b) { return std::memcmp(a, b, 16) == 0; }

// A frame's bit stream ends on a byte and its record on a multiple of 4: about two bytes more.
constexpr double kRecordPadding = 2;
// The share of a frame's bytes its video aims at: the measure runs a little short of the file.
constexpr double kAim = 0.96;
// A frame at a data rate is looked at again when its bytes leave this share of its target
// (or exceed it), at most this often.
constexpr double kLowestShare = 0.97;
constexpr int kMoreLooks = 2;
// The first frame is measured against its own statistics alone, which flatter it: the file's
// trees, built over every frame, give its rarer symbols longer codes. What it owes the next
// frames of its second is reckoned with this much more.
constexpr double kFirstFrameDoubt = 1.25;

// How often an exact block is coded as such while the leftover lasts: every spacing-th one.
struct Spacings {
  uint32_t fill = 1, two = 1, full = 1;
};

Spacings SpreadLeftover(uint64_t left, uint64_t e1, uint64_t e2, uint64_t e3) {
  Spacings s;
  auto at_least_one = [](uint64_t v) {
    return static_cast<uint32_t>(std::max<uint64_t>(v, 2) - 1);
  };
  if (e1 >= left)
    s.fill = at_least_one(e1 / left);
  else if (e1 + 4 * e2 >= left)
    s.two = at_least_one(e2 / ((left - e1) / 4 + 1));
  else if (left < 16 * e3 + e1 + 4 * e2)
    s.full = at_least_one(e3 / ((left - e1 - 4 * e2) / 16 + 1));
  return s;
}

}  // namespace

std::unique_ptr<FrameEncoder> FrameEncoder::Create(const EncoderSettings& settings) {
  try {
    return std::unique_ptr<FrameEncoder>(new FrameEncoder(settings));
  } catch (const std::bad_alloc&) {
    return nullptr;
  } catch (const std::length_error&) {
    return nullptr;
  }
}

FrameEncoder::FrameEncoder(const EncoderSettings& settings)
    : s_(settings),
      blocks_per_row_(settings.width / 4),
      blocks_(settings.width / 4 * (settings.height / 4)) {
  const size_t pixels = size_t{blocks_} * 16;
  current_.assign(pixels, 0);
  previous_source_.assign(pixels, 0);
  shown_.assign(pixels, 0);
  next_.assign(pixels, 0);
  raster_.assign(size_t{s_.width} * s_.height, 0);
  skip_.assign(blocks_, 0);
  fill_.assign(blocks_, kImpossibleError);
  two_.assign(blocks_, kImpossibleError);
  two_word_.assign(blocks_, 0);
  codes_.assign(blocks_, kCodeSkip);
  fill_colour_.assign(blocks_, 0);
  const uint32_t per_second = settings.period ? 100000 / settings.period : 1;
  excess_.assign(per_second > 1 ? per_second - 1 : 0, 0.0);
}

void FrameEncoder::ToBlockOrder(const uint8_t* raster, std::vector<uint8_t>& out) const {
  uint8_t* o = out.data();
  for (uint32_t b = 0; b < blocks_; ++b) {
    const uint8_t* p =
        raster + size_t{b / blocks_per_row_} * 4 * s_.width + (b % blocks_per_row_) * 4;
    for (int r = 0; r < 4; ++r, p += s_.width, o += 4) std::memcpy(o, p, 4);
  }
}

int32_t FrameEncoder::RateCode(const FramePicture& frame) const {
  if (frame.hinted_rate != kNoRateCode) return frame.hinted_rate;
  return key_ ? s_.key_rate : s_.regular_rate;
}

BlockErrors FrameEncoder::Errors() const {
  return {skip_.data(), fill_.data(), fill_colour_.data(), two_.data(), blocks_};
}

// An identical block just before or just above has been analysed already this frame (any
// block with a skip error other than 0 has up-to-date results).
void FrameEncoder::Analyse(uint32_t b) {
  const uint8_t* pixels = &current_[size_t{b} * 16];
  for (uint32_t back : {1u, blocks_per_row_}) {
    if (back > b) continue;
    const uint32_t other = b - back;
    if (skip_[other] != 0 && SameBlock(&current_[size_t{other} * 16], pixels)) {
      fill_[b] = fill_[other];
      fill_colour_[b] = fill_colour_[other];
      two_[b] = two_[other];
      two_word_[b] = two_word_[other];
      return;
    }
  }
  const BlockChoice c = AnalyseBlock(pixels, distances_, s_.palette);
  fill_[b] = c.fill_error;
  fill_colour_[b] = c.fill_colour;
  two_[b] = c.two_error;
  two_word_[b] = c.two_word;
}

// Errors of every block against the picture shown now. Unchanged source blocks keep last
// frame's analysis; a block the shown picture already holds as its fill or pair costs no more
// to skip than to code that way.
void FrameEncoder::CompareBlocks(bool palette_changed) {
  uint8_t painted[16];
  for (uint32_t b = 0; b < blocks_; ++b) {
    const uint8_t* cur = &current_[size_t{b} * 16];
    const uint8_t* shown = &shown_[size_t{b} * 16];
    if (SameBlock(cur, shown)) {
      skip_[b] = 0;
      fill_[b] = two_[b] = kImpossibleError;
      continue;
    }
    skip_[b] = BlockDistance(shown, cur, distances_);
    if (palette_changed || !SameBlock(cur, &previous_source_[size_t{b} * 16])) Analyse(b);
    if (fill_[b] != kImpossibleError &&
        std::all_of(shown, shown + 16, [&](uint8_t p) { return p == fill_colour_[b]; })) {
      skip_[b] = std::min(skip_[b], fill_[b]);
    } else if (two_[b] != kImpossibleError) {
      PaintTwoColour(two_word_[b], painted);
      if (SameBlock(painted, shown)) skip_[b] = std::min(skip_[b], two_[b]);
    }
  }
}

// The next frame brings a new palette: a block it keeps as it is must be exact now, or its
// error would show in the new colours.
void FrameEncoder::KeepExactIntoPaletteChange(const FramePicture& next) {
  ToBlockOrder(next.pixels, next_);
  auto raise = [](uint32_t& e) {
    if (e != 0) e = std::max(e, kExactOnlyError);
  };
  for (uint32_t b = 0; b < blocks_; ++b) {
    if (!SameBlock(&current_[size_t{b} * 16], &next_[size_t{b} * 16])) continue;
    raise(skip_[b]);
    raise(fill_[b]);
    raise(two_[b]);
  }
}

uint32_t FrameEncoder::ChooseThreshold(const FramePicture& frame, uint64_t* leftover) {
  const int32_t code = RateCode(frame);
  *leftover = 0;
  rate_coded_ = code < 0 || code > 100;
  if (!rate_coded_) return QualityThreshold(code);
  target_ = TargetBytes(frame, code);
  search_.Start(Errors());
  const ThresholdChoice choice = search_.Choose(UnitPrice::Budget(target_, price_.bytes()));
  *leftover = choice.leftover;
  return choice.threshold;
}

// The frame's share of the data rate, less what its record spends besides the video (the
// sound and the palette record, all literal in a key frame other than the first) and less
// what the frames before it in the same second took beyond their shares, so that no second
// holds more than the rate even after a frame that could not be made small enough.
double FrameEncoder::TargetBytes(const FramePicture& frame, int32_t code) {
  share_ = double(FrameBytes(code, frame.source_bytes, s_.period)) * kAim;
  overhead_ = double(frame.sound_bytes) + kRecordPadding;
  if (palette_changed_)
    overhead_ += double(
        EncodePaletteRecord(previous_palette_.data(), palette_.data(), key_ && frame_ > 1).size());
  double debt = 0;
  for (double e : excess_) debt += e;
  return share_ - std::max(debt, 0.0) - overhead_;
}

FrameCodes FrameEncoder::Codes(const FramePicture& frame) const {
  return {codes_.data(), frame.pixels, s_.width, blocks_per_row_, s_.height / 4};
}

// The estimate's units buy more or fewer bytes depending on the content and on the statistics
// of the file: the chosen frame is measured against them, and when it misses its target it is
// chosen again at its own price (a frame short of it whose blocks are all exact can buy
// nothing more). A look that fits is kept over a later one that does not.
void FrameEncoder::MeetTarget(const FramePicture& frame, uint32_t threshold, uint64_t leftover) {
  const bool first = !model_;
  if (first) model_ = std::make_unique<VideoCostModel>();
  uint64_t units = 0;
  double bytes = model_->Bits(Codes(frame), &units) / 8;
  double fitting_bytes = -1;
  uint64_t fitting_units = 0;
  for (int look = 0;
       look < kMoreLooks && units > 0 &&
       (bytes > target_ || (bytes < target_ * kLowestShare && !AllExact()));
       ++look) {
    if (bytes <= target_) {
      fitting_codes_ = codes_;
      fitting_bytes = bytes;
      fitting_units = units;
    }
    const ThresholdChoice choice =
        search_.Choose(UnitPrice::Budget(target_, bytes / double(units)));
    if (choice.threshold == threshold && choice.leftover == leftover) break;
    threshold = choice.threshold;
    leftover = choice.leftover;
    Classify(threshold, leftover);
    bytes = model_->Bits(Codes(frame), &units) / 8;
  }
  if (fitting_bytes >= 0 && (bytes > target_ || fitting_bytes > bytes)) {
    codes_.swap(fitting_codes_);
    bytes = fitting_bytes;
    units = fitting_units;
  }
  price_.Learn(bytes, units);
  if (!excess_.empty())
    excess_[frame_ % excess_.size()] =
        bytes * (first ? kFirstFrameDoubt : 1.0) + overhead_ - share_;
}

bool FrameEncoder::AllExact() const {
  for (uint32_t b = 0; b < blocks_; ++b) {
    const uint32_t code = codes_[b];
    const uint32_t error = code == kCodeSkip ? skip_[b]
                           : code == kCodeFull ? 0
                           : IsFill(code)      ? fill_[b]
                                               : two_[b];
    if (error != 0) return false;
  }
  return true;
}

uint32_t FrameEncoder::CountChanged(uint32_t threshold) const {
  uint32_t n = 0;
  for (uint32_t b = 0; b < blocks_; ++b) n += skip_[b] > threshold;
  return n;
}

void FrameEncoder::Encode(const FramePicture& frame, const FramePicture* next) {
  const uint32_t f = frame_++;
  auto_key_ = false;
  key_ = f == 0 || frame.hinted_key || f - last_key_ >= s_.min_key_distance;
  if (key_) last_key_ = f;

  const bool palette_changed = f == 0 || std::memcmp(frame.palette, palette_.data(), 768) != 0;
  palette_changed_ = palette_changed;
  if (palette_changed) {
    previous_palette_ = palette_;
    distances_.Rebuild(frame.palette);
    std::memcpy(palette_.data(), frame.palette, 768);
  }
  current_.swap(previous_source_);
  ToBlockOrder(frame.pixels, current_);
  if (key_) {
    for (uint32_t b = 0; b < blocks_; ++b) skip_[b] = kImpossibleError;
    for (uint32_t b = 0; b < blocks_; ++b) Analyse(b);
  } else {
    CompareBlocks(palette_changed);
  }
  const bool palette_ahead = next && std::memcmp(next->palette, frame.palette, 768) != 0;
  if (palette_ahead) KeepExactIntoPaletteChange(*next);

  uint64_t leftover = 0;
  uint32_t threshold = ChooseThreshold(frame, &leftover);
  if (!key_ && CountChanged(threshold) > s_.auto_key_blocks) {
    // Too much changed: this frame stands alone. Blocks that were the same are analysed now.
    auto_key_ = key_ = true;
    last_key_ = f;
    for (uint32_t b = 0; b < blocks_; ++b) {
      if (skip_[b] != 0) continue;
      skip_[b] = kImpossibleError;  // no look-back to it while the others are analysed
      Analyse(b);
    }
    std::fill(skip_.begin(), skip_.end(), kExactOnlyError);
    if (palette_ahead) KeepExactIntoPaletteChange(*next);
    threshold = ChooseThreshold(frame, &leftover);
  }
  Classify(threshold, leftover);
  if (rate_coded_)
    MeetTarget(frame, threshold, leftover);
  else if (!excess_.empty())
    excess_[frame_ % excess_.size()] = 0;  // a quality owes the rate nothing
  if (model_) model_->Add(Codes(frame));
  Reconstruct();
}

inline uint32_t FrameEncoder::CodeWithin(uint32_t b, uint32_t t) const {
  uint32_t code = two_[b] <= t ? two_word_[b] : kCodeFull;
  code = fill_[b] <= t ? kCodeFill + fill_colour_[b] : code;
  return skip_[b] <= t ? kCodeSkip : code;
}

// Every block takes the first kind within the threshold; a leftover of the budget first buys
// exact blocks, cheapest kinds first, spread evenly over the frame. The loops are what a frame
// at a data rate runs once for every look at it: they count without branches, and once the
// leftover is spent the rest of the frame takes its kinds without them too.
void FrameEncoder::Classify(uint32_t t, uint64_t leftover) {
  int64_t e1 = 0, e2 = 0, e3 = 0;
  if (leftover > 0) {
    for (uint32_t b = 0; b < blocks_; ++b) {
      const bool changed = skip_[b] != 0, fill_exact = fill_[b] == 0, two_exact = two_[b] == 0;
      e1 += changed & fill_exact;
      e2 += changed & !fill_exact & two_exact;
      e3 += changed & !fill_exact & !two_exact;
    }
  }
  const Spacings spacing = leftover > 0 ? SpreadLeftover(leftover, e1, e2, e3) : Spacings{};
  int64_t left = static_cast<int64_t>(std::min<uint64_t>(leftover, INT64_MAX));
  uint32_t seen_fill = 0, seen_two = 0, seen_full = 0;  // since the last one bought
  uint32_t b = 0;
  for (; b < blocks_ && left > 0; ++b) {
    uint32_t& code = codes_[b];
    if (skip_[b] == 0) {
      code = kCodeSkip;
      continue;
    }
    if (fill_[b] == 0) {
      --e1;
      if (++seen_fill == spacing.fill) {
        seen_fill = 0;
        code = kCodeFill + fill_colour_[b];
        left -= 1;
        continue;
      }
    } else if (two_[b] == 0) {
      --e2;
      if (e1 <= 0 && ++seen_two == spacing.two) {
        seen_two = 0;
        code = two_word_[b];
        left -= 4;
        continue;
      }
    } else if (e1 <= 0 && e2 <= 0 && ++seen_full == spacing.full) {
      seen_full = 0;
      code = kCodeFull;
      left -= 16;
      continue;
    }
    code = CodeWithin(b, t);
  }
  for (; b < blocks_; ++b) codes_[b] = CodeWithin(b, t);
}

void FrameEncoder::Reconstruct() {
  for (uint32_t b = 0; b < blocks_; ++b) {
    uint8_t* shown = &shown_[size_t{b} * 16];
    const uint32_t code = codes_[b];
    if (code == kCodeSkip) continue;
    if (code == kCodeFull)
      std::memcpy(shown, &current_[size_t{b} * 16], 16);
    else if (IsFill(code))
      std::memset(shown, code & 0xFF, 16);
    else
      PaintTwoColour(code, shown);
  }
  const uint8_t* in = shown_.data();
  for (uint32_t b = 0; b < blocks_; ++b) {
    uint8_t* p =
        raster_.data() + size_t{b / blocks_per_row_} * 4 * s_.width + (b % blocks_per_row_) * 4;
    for (int r = 0; r < 4; ++r, p += s_.width, in += 4) std::memcpy(p, in, 4);
  }
}

}  // namespace kinet::encoder
