#include "platform/images/png_animation.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "platform/images/codecs.h"

namespace kinet::platform {
namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kDisposeBackground = 1, kDisposePrevious = 2, kBlendOver = 1;

uint32_t Big32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
uint16_t Big16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type,
              std::span<const std::span<const uint8_t>> parts) {
  size_t length = 0;
  for (const auto& part : parts) length += part.size();
  PutBig32(out, static_cast<uint32_t>(length));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  PutBig32(out,
           static_cast<uint32_t>(crc32(0, &out[start], static_cast<uInt>(out.size() - start))));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, std::span<const uint8_t> data) {
  const std::span<const uint8_t> parts[] = {data};
  PutChunk(out, type, parts);
}

// One pixel of a decoded frame as red, green, blue, alpha.
void PixelOf(const Image& image, size_t i, std::span<const uint8_t> transparency, uint8_t* out) {
  const uint8_t* p = &image.pixels[i * image.BytesPerPixel()];
  if (image.bits == 8) {
    std::memcpy(out, &image.palette[p[0] * 3], 3);
    out[3] = p[0] < transparency.size() ? transparency[p[0]] : 255;
  } else {
    std::memcpy(out, p, 3);
    out[3] = image.bits == 32 ? p[3] : 255;
  }
}

}  // namespace

std::unique_ptr<PngAnimation> PngAnimation::Decode(std::vector<uint8_t> bytes) {
  if (bytes.size() < 8 || std::memcmp(bytes.data(), kSignature, 8) != 0) return nullptr;
  std::unique_ptr<PngAnimation> animation(new PngAnimation);
  animation->bytes_ = std::move(bytes);
  if (!animation->Scan()) return nullptr;
  animation->Rewind();
  return animation;
}

// Walks the chunks: the header, palette and transparency every frame shares, then each frame
// control chunk with the image data that follows it (IDAT for a first frame that is also the
// still picture, fdAT after the sequence number otherwise).
bool PngAnimation::Scan() {
  bool animated = false;
  Frame* frame = nullptr;
  for (size_t at = 8; bytes_.size() - at >= 12;) {
    const uint32_t length = Big32(&bytes_[at]);
    if (length > bytes_.size() - at - 12) break;
    const char* type = reinterpret_cast<const char*>(&bytes_[at + 4]);
    const std::span<const uint8_t> data(&bytes_[at + 8], length);
    at += 12 + size_t{length};
    if (!std::memcmp(type, "IHDR", 4) && length == 13) {
      header_ = data;
      width_ = Big32(&data[0]), height_ = Big32(&data[4]);
    } else if (!std::memcmp(type, "PLTE", 4)) {
      palette_ = data;
    } else if (!std::memcmp(type, "tRNS", 4)) {
      transparency_ = data;
    } else if (!std::memcmp(type, "acTL", 4)) {
      animated = true;
    } else if (!std::memcmp(type, "fcTL", 4) && length == 26) {
      if (frames_.size() >= kMaxFrames) break;
      Frame f;
      f.width = Big32(&data[4]), f.height = Big32(&data[8]);
      f.left = Big32(&data[12]), f.top = Big32(&data[16]);
      const uint32_t numerator = Big16(&data[20]), denominator = Big16(&data[22]);
      f.dispose = data[24], f.blend = data[25];
      if (f.width == 0 || f.height == 0 || f.left > width_ || f.top > height_ ||
          f.width > width_ - f.left || f.height > height_ - f.top) {
        break;
      }
      frames_.push_back(std::move(f));
      delays_.push_back(numerator * 1000 / (denominator ? denominator : 100));
      frame = &frames_.back();
    } else if (frame && !std::memcmp(type, "IDAT", 4)) {
      frame->data.push_back(data);
    } else if (frame && !std::memcmp(type, "fdAT", 4) && length >= 4) {
      frame->data.push_back(data.subspan(4));
    } else if (!std::memcmp(type, "IEND", 4)) {
      break;
    }
  }
  while (!frames_.empty() && frames_.back().data.empty()) frames_.pop_back(), delays_.pop_back();
  return animated && !header_.empty() && !frames_.empty() && ImageSidesAllowed(width_, height_);
}

std::vector<uint8_t> PngAnimation::FramePng(const Frame& frame) const {
  std::vector<uint8_t> png(kSignature, kSignature + 8);
  std::vector<uint8_t> header(header_.begin(), header_.end());
  for (int i = 0; i < 4; ++i) {
    header[i] = static_cast<uint8_t>(frame.width >> (24 - 8 * i));
    header[4 + i] = static_cast<uint8_t>(frame.height >> (24 - 8 * i));
  }
  PutChunk(png, "IHDR", header);
  if (!palette_.empty()) PutChunk(png, "PLTE", palette_);
  if (!transparency_.empty()) PutChunk(png, "tRNS", transparency_);
  PutChunk(png, "IDAT", frame.data);
  PutChunk(png, "IEND", std::span<const uint8_t>());
  return png;
}

bool PngAnimation::Draw(const Frame& frame) {
  const std::optional<Image> picture = codecs::DecodePng(FramePng(frame));
  if (!picture || picture->width != frame.width || picture->height != frame.height) return false;
  // Grey and colour pictures carry their transparency as alpha already.
  const std::span<const uint8_t> transparency =
      picture->bits == 8 && !palette_.empty() ? transparency_ : std::span<const uint8_t>();
  for (uint32_t y = 0; y < frame.height; ++y) {
    for (uint32_t x = 0; x < frame.width; ++x) {
      uint8_t src[4];
      PixelOf(*picture, size_t{y} * frame.width + x, transparency, src);
      uint8_t* dst = &screen_[((size_t{frame.top} + y) * width_ + frame.left + x) * 4];
      if (frame.blend != kBlendOver || src[3] == 255) {
        std::memcpy(dst, src, 4);
        continue;
      }
      const uint32_t a = src[3], keep = (255 - a) * dst[3] / 255, out = a + keep;
      for (int c = 0; c < 3 && out; ++c)
        dst[c] = static_cast<uint8_t>((src[c] * a + dst[c] * keep) / out);
      dst[3] = static_cast<uint8_t>(out);
    }
  }
  return true;
}

bool PngAnimation::Next(Image& image) {
  if (next_ >= frames_.size()) {
    screen_.assign(size_t{width_} * height_ * 4, 0);
    next_ = 0;
  }
  const Frame& frame = frames_[next_];
  if (frame.dispose == kDisposePrevious) before_ = screen_;
  if (!Draw(frame)) return false;
  image = Image();
  image.width = width_, image.height = height_, image.bits = 24;
  if (!image.Allocate()) return false;
  // Transparent parts of the screen show black.
  for (size_t i = 0; i < size_t{width_} * height_; ++i) {
    for (int c = 0; c < 3; ++c)
      image.pixels[i * 3 + c] = static_cast<uint8_t>(screen_[i * 4 + c] * screen_[i * 4 + 3] / 255);
  }
  if (frame.dispose == kDisposeBackground) {
    for (uint32_t y = frame.top; y < frame.top + frame.height; ++y)
      std::fill_n(&screen_[(size_t{y} * width_ + frame.left) * 4], size_t{frame.width} * 4, 0);
  } else if (frame.dispose == kDisposePrevious) {
    screen_ = before_;
  }
  ++next_;
  return true;
}

}  // namespace kinet::platform
