#include "toolkit/sound/pcm_source.h"

#include <algorithm>
#include <cstring>

namespace kinet::toolkit {
namespace {

int32_t Sample(const uint8_t* p, uint32_t bits) {
  if (bits == 16) return static_cast<int16_t>(p[0] | p[1] << 8);
  return p[0] * 256 - 32768;
}

}  // namespace

PcmSource::PcmSource(std::string name, SoundCallback callback, OpenedInput opened,
                     SoundFormat output, ByteRange range)
    : SoundSource(opened.kind, std::move(name), std::move(callback)),
      pcm_(std::move(opened.input)),
      offset_(range.offset),
      converter_(opened.format.rate, output.rate),
      buffer_(kReadBlock) {
  input_ = opened.format;
  output_ = output;
  length_ = range.length;
}

bool PcmSource::Start() {
  converter_.Reset();
  at_ = end_ = 0;
  remaining_ = length_;
  at_end_ = false;
  read_before_ = false;
  if (pcm_->Seek(offset_)) return true;
  remaining_ = 0;
  at_end_ = true;
  return false;
}

void PcmSource::Refill() {
  std::memmove(buffer_.data(), buffer_.data() + at_, end_ - at_);
  end_ -= at_;
  at_ = 0;
  const size_t want = static_cast<size_t>(std::min<uint64_t>(buffer_.size() - end_, remaining_));
  const size_t got = pcm_->Read(buffer_.data() + end_, want);
  end_ += got;
  // An input that gives less than asked has ended, whatever its length said: a WAV file whose
  // "data" length runs past the file, a failing read, a video file with fewer frames of sound.
  remaining_ = got < want ? 0 : remaining_ - got;
}

bool PcmSource::NextInput(StereoValue& value) {
  const uint32_t frame = input_.frame_bytes();
  if (end_ - at_ < frame) {
    if (remaining_ == 0) return false;
    Refill();
    if (end_ - at_ < frame) return false;
  }
  const uint8_t* p = buffer_.data() + at_;
  at_ += frame;
  value.left = Sample(p, input_.bits);
  value.right = input_.channels == 2 ? Sample(p + input_.bits / 8, input_.bits) : value.left;
  return true;
}

void PcmSource::Store(StereoValue value, uint8_t* out) const {
  auto put = [&](int32_t v) {
    if (output_.bits == 16) {
      *out++ = static_cast<uint8_t>(v);
      *out++ = static_cast<uint8_t>(v >> 8);
    } else {
      *out++ = static_cast<uint8_t>(v / 256 + 128);
    }
  };
  if (output_.channels == 2) {
    put(value.left);
    put(value.right);
  } else {
    put(value.left == value.right ? value.left : (value.left + value.right) / 2);
  }
}

size_t PcmSource::Read(uint8_t* out, size_t wanted) {
  ReportProgress();
  const uint32_t frame = output_.frame_bytes();
  const size_t frames = wanted / frame;
  auto supply = [this](StereoValue& value) { return NextInput(value); };
  size_t made = 0;
  for (StereoValue value; made < frames; ++made) {
    if (!converter_.Next(supply, value)) {
      at_end_ = true;
      break;
    }
    Store(value, out + made * frame);
  }
  return made * frame;
}

}  // namespace kinet::toolkit
