#include "scriptplayer/engine/script_file.h"

#include <algorithm>

namespace kinet::script {

ScriptFile::ScriptFile(std::unique_ptr<platform::File> file, std::string name)
    : file_(std::move(file)), name_(std::move(name)) {}

ScriptFile::~ScriptFile() { (void)Flush(); }

bool ScriptFile::Flush() {
  if (write_buffer_.empty()) return !write_failed_;
  bool ok = MoveTo(write_start_) && file_->Write(write_buffer_.data(), write_buffer_.size());
  file_offset_ = ok ? write_start_ + write_buffer_.size() : kUnknownOffset;
  write_buffer_.clear();
  write_failed_ = write_failed_ || !ok;
  return ok;
}

bool ScriptFile::MoveTo(uint64_t offset) {
  // A pipe cannot seek, but is read and written where it stands.
  if (offset == file_offset_) return true;
  file_offset_ = kUnknownOffset;
  if (!file_->Seek(offset)) return false;
  file_offset_ = offset;
  return true;
}

bool ScriptFile::FillReadBuffer() {
  if (position_ >= read_start_ && position_ < read_start_ + read_buffer_.size()) return true;
  if (!Flush()) return false;
  read_buffer_.resize(kBufferSize);
  read_start_ = position_;
  size_t got = MoveTo(position_) ? file_->Read(read_buffer_.data(), kBufferSize) : 0;
  if (file_offset_ != kUnknownOffset) file_offset_ += got;
  read_buffer_.resize(got);
  return got > 0;
}

bool ScriptFile::ReadLine(size_t max_bytes, std::string& line) {
  line.clear();
  while (line.size() < max_bytes && FillReadBuffer()) {
    std::string_view available(read_buffer_);
    available.remove_prefix(position_ - read_start_);
    available = available.substr(0, max_bytes - line.size());
    size_t feed = available.find('\n');
    size_t take = feed == std::string_view::npos ? available.size() : feed + 1;
    line.append(available.substr(0, take));
    position_ += take;
    if (feed != std::string_view::npos) break;
  }
  return !line.empty();
}

bool ScriptFile::AtEnd() {
  int64_t size = Size();
  return size < 0 || position_ >= static_cast<uint64_t>(size);
}

void ScriptFile::SeekToEnd() {
  int64_t size = Size();
  if (size >= 0) position_ = static_cast<uint64_t>(size);
}

bool ScriptFile::Write(std::string_view bytes) {
  read_buffer_.clear();
  if (!write_buffer_.empty() && write_start_ + write_buffer_.size() != position_ && !Flush())
    return false;
  if (write_buffer_.empty()) write_start_ = position_;
  write_buffer_.append(bytes);
  position_ += bytes.size();
  return write_buffer_.size() < kBufferSize || Flush();
}

int64_t ScriptFile::Size() {
  int64_t size = file_->Size();
  if (size < 0) return size;
  uint64_t buffered_end = write_start_ + write_buffer_.size();
  return write_buffer_.empty() ? size : std::max<int64_t>(size, buffered_end);
}

}  // namespace kinet::script
