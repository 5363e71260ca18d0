// An output file that replaces its target only when complete: bytes go to a temporary file in
// the target's directory, which Commit renames over the target. Dropped without Commit (a
// failed or cancelled run), it removes the temporary file and leaves any earlier target as it
// was. Nothing here throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kinet::platform {

class SafeOutputFile {
 public:
  SafeOutputFile() = default;
  SafeOutputFile(const SafeOutputFile&) = delete;
  SafeOutputFile& operator=(const SafeOutputFile&) = delete;
  ~SafeOutputFile() { Abandon(); }

  // Creates the temporary file beside `target`. False on failure.
  [[nodiscard]] bool Create(const std::string& target);
  // Writes all bytes at the current position; false when not all were written (a full disk).
  [[nodiscard]] bool Write(const void* data, size_t size);
  [[nodiscard]] bool Seek(uint64_t offset);
  int64_t Tell() const;
  // Flushes to disk and renames over the target. False on failure; the target is then
  // untouched and the temporary file removed.
  [[nodiscard]] bool Commit();
  // Removes the temporary file; the target stays as it was.
  void Abandon();

  bool is_open() const { return fd_ >= 0; }
  const std::string& target() const { return target_; }

 private:
  int fd_ = -1;
  std::string target_, temp_;
};

// True when both paths name the same existing file (by identity, so links count).
bool SameFile(const std::string& a, const std::string& b);

}  // namespace kinet::platform
