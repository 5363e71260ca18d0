#include "compressor/run_file.h"

#include <cstring>

#include "compressor/block_codes.h"
#include "lib/core/format.h"

namespace kinet::encoder {

namespace {

uint8_t* BlockAt(std::vector<uint8_t>& pixels, uint32_t width, uint32_t bpr, uint32_t b) {
  return pixels.data() + size_t{b / bpr} * 4 * width + (b % bpr) * 4;
}

}  // namespace

bool RunFile::Create(const std::string& directory, uint32_t width, uint32_t height) {
  std::string path;
  file_ = files_.CreateUnique((directory.empty() ? "" : directory + "/") + "knt", &path);
  if (file_ && !files_.Remove(path)) file_.reset();
  width_ = width;
  height_ = height;
  first_ = true;
  return file_ != nullptr;
}

bool RunFile::Append(const FrameCodes& f, const uint8_t palette[768], bool key_frame,
                     const std::vector<uint8_t>& sound) {
  buffer_.assign(4, 0);
  buffer_.push_back(key_frame ? 1 : 0);
  const bool new_palette = first_ || std::memcmp(palette, last_palette_.data(), 768) != 0;
  buffer_.push_back(new_palette ? 1 : 0);
  if (new_palette) buffer_.insert(buffer_.end(), palette, palette + 768);
  std::memcpy(last_palette_.data(), palette, 768);
  first_ = false;
  uint8_t length[4];
  StoreLe32(length, static_cast<uint32_t>(sound.size()));
  buffer_.insert(buffer_.end(), length, length + 4);
  buffer_.insert(buffer_.end(), sound.begin(), sound.end());

  ForEachChunk(f.codes, f.blocks_per_row * f.block_rows,
               [&](uint32_t code, uint32_t first, uint32_t blocks) {
                 const uint16_t kind = KindOf(code);
                 buffer_.push_back(static_cast<uint8_t>(kind | RunCode(blocks) << 2));
                 if (kind == 3) buffer_.push_back(static_cast<uint8_t>(code));
                 for (uint32_t b = first; b < first + blocks && (kind == 0 || kind == 1); ++b) {
                   if (kind == 0) {
                     uint8_t word[4];
                     StoreLe32(word, f.codes[b]);
                     buffer_.insert(buffer_.end(), word, word + 4);
                     continue;
                   }
                   const uint8_t* p = BlockPixels(f, b);
                   for (int r = 0; r < 4; ++r, p += f.width)
                     buffer_.insert(buffer_.end(), p, p + 4);
                 }
               });
  StoreLe32(buffer_.data(), static_cast<uint32_t>(buffer_.size() - 4));
  return file_->Write(buffer_.data(), buffer_.size());
}

bool RunFile::Rewind() { return file_->Seek(0); }

bool RunFile::Read(RunFrame& frame) {
  uint8_t length[4];
  if (file_->Read(length, 4) != 4) return false;
  buffer_.resize(LoadLe32(length));
  if (buffer_.size() < 2 || file_->Read(buffer_.data(), buffer_.size()) != buffer_.size())
    return false;
  const uint32_t bpr = width_ / 4, total = bpr * (height_ / 4);
  frame.codes.resize(total);
  frame.pixels.resize(size_t{width_} * height_);
  frame.key_frame = buffer_[0] != 0;
  size_t at = 2;
  if (buffer_[1]) {
    if (buffer_.size() < at + 768) return false;
    std::memcpy(frame.palette.data(), &buffer_[at], 768);
    at += 768;
  }
  if (buffer_.size() - at < 4) return false;
  const uint32_t sound = LoadLe32(&buffer_[at]);
  at += 4;
  if (buffer_.size() - at < sound) return false;
  frame.sound.assign(buffer_.begin() + at, buffer_.begin() + at + sound);
  at += sound;
  uint32_t block = 0;
  while (block < total && at < buffer_.size()) {
    const uint8_t head = buffer_[at++];
    const uint32_t kind = head & 3, chunk = RunLength(head >> 2u);
    if (chunk > total - block) return false;
    const size_t body = kind == 3   ? 1
                        : kind == 0 ? 4 * size_t{chunk}
                        : kind == 1 ? 16 * size_t{chunk}
                                    : 0;
    if (buffer_.size() - at < body) return false;
    for (uint32_t i = 0; i < chunk; ++i, ++block) {
      uint32_t& code = frame.codes[block];
      if (kind == 2)
        code = kCodeSkip;
      else if (kind == 3)
        code = kCodeFill + buffer_[at];
      else if (kind == 0)
        code = LoadLe32(&buffer_[at + 4 * size_t{i}]);
      else {
        code = kCodeFull;
        uint8_t* p = BlockAt(frame.pixels, width_, bpr, block);
        for (size_t r = 0; r < 4; ++r)
          std::memcpy(p + size_t{r} * width_, &buffer_[at + 16 * size_t{i} + 4 * r], 4);
      }
    }
    at += body;
  }
  return block == total && at == buffer_.size();
}

}  // namespace kinet::encoder
