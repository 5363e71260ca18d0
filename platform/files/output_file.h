// An output file that replaces its target only when complete: bytes go to a temporary file in
// the target's directory, which Commit renames over the target. Dropped without Commit (a
// failed or cancelled run), it removes the temporary file and leaves any earlier target as it
// was. Nothing here throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/files/file_system.h"

namespace kinet::platform {

class SafeOutputFile {
 public:
  SafeOutputFile() = default;
  SafeOutputFile(const SafeOutputFile&) = delete;
  SafeOutputFile& operator=(const SafeOutputFile&) = delete;
  ~SafeOutputFile() { Abandon(); }

  // Creates the temporary file of `files` beside `target`: ".<name>.partial-<run>-<unique>",
  // <run> being the writing process's number. With `sweep`, partial outputs in the target's
  // folder whose runs have ended (killed) are removed first; a writer of many files in one
  // folder sweeps with its first. False on failure.
  [[nodiscard]] bool Create(FileSystem& files, const std::string& target, bool sweep = true);
  // Writes all bytes at the current position; false when not all were written (a full disk).
  [[nodiscard]] bool Write(const void* data, size_t size);
  [[nodiscard]] bool Seek(uint64_t offset);
  int64_t Tell() const;
  // Puts the bytes written so far on the medium. False when that fails (a full disk can show
  // only here), so that a caller can tell a write failure from a failed Commit.
  [[nodiscard]] bool Flush();
  // Puts the bytes on the medium and closes the temporary file without putting it in place,
  // so that many outputs can wait for their Commit without holding a file each. False on
  // failure; the temporary file is then removed.
  [[nodiscard]] bool Close();
  // Puts the bytes on the medium (when still open) and renames over the target. False on failure;
  // the target is then untouched and the temporary file removed.
  [[nodiscard]] bool Commit();
  // Removes the temporary file; the target stays as it was.
  void Abandon();

  bool is_open() const { return file_ != nullptr; }
  const std::string& target() const { return target_; }

 private:
  FileSystem* files_ = nullptr;
  std::unique_ptr<File> file_;
  std::string target_, temp_;
};

}  // namespace kinet::platform
