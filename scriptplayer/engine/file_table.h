// The open files scripts refer to by handle number, 5000-5063, shared with the running
// scripts and the debug file. Closing clears the slot, so the lowest free slot is reused first.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "scriptplayer/engine/script_file.h"

namespace kinet::script {

inline constexpr int32_t kFileHandleBase = 5000;

class FileTable {
 public:
  static constexpr size_t kSlots = 64;

  // Puts the file in the lowest free slot and returns its handle, or 0 when all are taken.
  int32_t Add(std::unique_ptr<ScriptFile> file);
  // The file of an open handle, or null.
  ScriptFile* Get(int32_t handle) const;
  // Closes (and flushes) the file; false when the handle is not open.
  bool Close(int32_t handle);
  void CloseAll();
  // Handles of the open files, lowest first.
  std::vector<int32_t> OpenHandles() const;

 private:
  std::array<std::unique_ptr<ScriptFile>, kSlots> slots_;
};

}  // namespace kinet::script
