#include "platform/files/input_file.h"

namespace kinet::platform {

bool InputFile::Open(FileSystem& files, const std::string& name) {
  file_ = files.Open(name, OpenMode::kRead);
  return file_ != nullptr;
}

size_t InputFile::Read(void* data, size_t size) {
  size_t done = 0;
  auto* out = static_cast<unsigned char*>(data);
  while (file_ && done < size) {
    const size_t n = file_->Read(out + done, size - done);
    if (n == 0) break;
    done += n;
  }
  return done;
}

std::optional<std::string> ReadWholeFile(FileSystem& files, const std::string& path, size_t limit) {
  InputFile in;
  if (!in.Open(files, path)) return std::nullopt;
  std::string text;
  char block[4096];
  while (size_t got = in.Read(block, sizeof block)) {
    text.append(block, got);
    if (text.size() > limit) return std::nullopt;
  }
  return text;
}

}  // namespace kinet::platform
