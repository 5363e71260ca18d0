// Reading a file from start to end, as the readers of video, sound and picture files do: an
// open File (from a FileSystem, or borrowed from a descriptor the caller keeps) with reads
// that retry until every byte asked for came. Nothing here throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/files/file_system.h"

namespace kinet::platform {

class InputFile {
 public:
  InputFile() = default;
  explicit InputFile(std::unique_ptr<File> file) : file_(std::move(file)) {}

  // Opens an existing file of `files` for reading. False on failure.
  [[nodiscard]] bool Open(FileSystem& files, const std::string& name);
  // Reads through a descriptor owned by the caller: it is never closed here.
  void Borrow(int descriptor) { file_ = BorrowDescriptor(descriptor); }

  bool is_open() const { return file_ != nullptr; }

  // Reads up to `size` bytes, retrying until all came or the file ended or failed; returns how
  // many bytes came.
  size_t Read(void* data, size_t size);
  // Moves to an absolute offset. False on failure.
  bool Seek(uint64_t offset) { return file_ && file_->Seek(offset); }
  // Current offset, or -1 on failure.
  int64_t Tell() const { return file_ ? file_->Tell() : -1; }
  // Length of a regular file, or -1 when it cannot be known (a pipe, say).
  int64_t Size() const { return file_ ? file_->Size() : -1; }
  // Which file this is, for telling an output from every input.
  std::optional<FileIdentity> Identity() const { return file_ ? file_->Identity() : std::nullopt; }
  // Closes the file (a borrowed descriptor is forgotten, not closed).
  void Close() { file_.reset(); }

 private:
  std::unique_ptr<File> file_;
};

// The whole content of the file `path` of `files`; nothing when it cannot be opened, or when
// it holds more than `limit` bytes (some other file named by mistake, or a device that never
// ends).
std::optional<std::string> ReadWholeFile(FileSystem& files, const std::string& path, size_t limit);

}  // namespace kinet::platform
