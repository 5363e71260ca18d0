// Reading a file by name or through a descriptor the caller already opened. Used by the
// playback library to read video files; nothing here throws.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kinet::platform {

class InputFile {
 public:
  InputFile() = default;
  InputFile(InputFile&& other) noexcept;
  InputFile& operator=(InputFile&& other) noexcept;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile() { Close(); }

  // Opens an existing file for reading. False on failure.
  [[nodiscard]] bool Open(const char* name);
  // Reads through a descriptor owned by the caller: it is never closed here.
  void Borrow(int descriptor);

  bool is_open() const { return fd_ >= 0; }
  bool owned() const { return owned_; }

  // Reads up to `size` bytes, retrying until all came or the file ended or failed; returns how
  // many bytes came.
  size_t Read(void* data, size_t size);
  // Moves to an absolute offset. False on failure.
  bool Seek(uint64_t offset);
  // Current offset, or -1 on failure.
  int64_t Tell() const;
  // Length of a regular file, or -1 when it cannot be known (a pipe, say).
  int64_t Size() const;
  // Closes an owned descriptor; forgets a borrowed one.
  void Close();

 private:
  int fd_ = -1;
  bool owned_ = false;
};

}  // namespace kinet::platform
