// A buffered file of the script player's file table: running scripts, the debug trace, the
// print output and the data files that scripts open. Reads and writes share one position.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/files/file_system.h"

namespace kinet::script {

class ScriptFile {
 public:
  static constexpr size_t kBufferSize = 3072;

  ScriptFile(std::unique_ptr<platform::File> file, std::string name);
  ~ScriptFile();  // writes what is still buffered

  // Reads the bytes up to and including the next line feed, at most `max_bytes` of them, into
  // `line`. False (and `line` empty) when nothing is left.
  bool ReadLine(size_t max_bytes, std::string& line);
  // True when no byte is left to read.
  bool AtEnd();
  // Moves to the end, for appending.
  void SeekToEnd();
  bool Write(std::string_view bytes);
  bool Flush();
  // Length in bytes including what is still buffered; -1 on failure.
  int64_t Size();

  const std::string& name() const { return name_; }

 private:
  bool FillReadBuffer();
  // Puts the file's own position at `offset`; false when it cannot be moved there.
  bool MoveTo(uint64_t offset);

  std::unique_ptr<platform::File> file_;
  std::string name_;
  uint64_t position_ = 0;  // the logical position seen by the script
  std::string read_buffer_;
  uint64_t read_start_ = 0;  // file offset of read_buffer_[0]
  std::string write_buffer_;
  uint64_t write_start_ = 0;  // file offset where write_buffer_ goes
  bool write_failed_ = false;
  static constexpr uint64_t kUnknownOffset = ~uint64_t{0};
  uint64_t file_offset_ = 0;  // where the file's own position stands, when known
};

}  // namespace kinet::script
