// An in-memory FileSystem for tests and fuzzing: nothing a run does can reach the disk.
// Paths are normalised against a current directory that starts at "/". Drives report a fixed
// size set by the test, or, once a quota is set, the bytes left under it. Failures a test
// needs can be made: a full disk (SetQuota) and a rename that fails (FailRenames).
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/files/file_system.h"

namespace kinet::platform {

class MemoryFileSystem : public FileSystem {
 public:
  MemoryFileSystem();

  // Test helpers: the whole content of a file; AddFile creates missing parent directories.
  void AddFile(const std::string& path, std::string content);
  // Null when the file does not exist.
  const std::string* Content(const std::string& path) const;
  void SetSpace(int64_t free_bytes, int64_t total_bytes) {
    free_ = free_bytes;
    total_ = total_bytes;
  }
  // At most `bytes` in all files together, those removed but still open included: a write
  // past it stores what fits and fails, as on a full disk. Negative: no limit.
  void SetQuota(int64_t bytes) { space_->quota = bytes; }
  // Bytes held by all files, those removed but still open included.
  int64_t used_bytes() const { return space_->used; }
  // The most `used_bytes` has been since the file system was made.
  int64_t peak_bytes() const { return space_->peak; }
  // While set, every Rename fails and changes nothing.
  void FailRenames(bool fail) { fail_renames_ = fail; }
  // Full paths of every file.
  std::vector<std::string> AllFiles() const;

  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override;
  int64_t FileSize(const std::string& path) override;
  bool Exists(const std::string& path) override;
  std::optional<FileIdentity> Identity(const std::string& path) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  std::string FullPath(const std::string& path) override;
  std::string CreateTempFile(const std::string& directory) override;
  std::unique_ptr<File> CreateUnique(const std::string& stem, std::string* path) override;
  int32_t GetAttributes(const std::string& path) override;
  bool SetAttributes(const std::string& path, int32_t attributes) override;
  std::vector<std::string> ListDirectory(const std::string& directory) override;
  bool ChangeDirectory(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  bool MakeDirectory(const std::string& path) override;
  bool RemoveDirectory(const std::string& path) override;
  std::string CurrentDirectory() override { return cwd_; }
  int64_t FreeSpace(const std::string& path) override {
    return space_->quota >= 0 ? space_->quota - space_->used : free_;
  }
  int64_t TotalSpace(const std::string& path) override { return total_; }
  DriveKind KindOf(const std::string& path) override;
  std::string LastError() override { return space_->last_error; }

 private:
  // What all files hold together, shared with every file's bytes.
  struct Space {
    int64_t quota = -1;
    int64_t used = 0;
    int64_t peak = 0;
    uint64_t next_node = 1;
    void Grow(int64_t bytes) {
      used += bytes;
      peak = std::max(peak, used);
    }
    std::string last_error;  // the reason LastError gives, in the system's words
  };
  // A file's bytes, counted against the space while anything (a name or an open file) holds
  // them, like an inode.
  struct Blob {
    explicit Blob(std::shared_ptr<Space> s) : space(std::move(s)), node(space->next_node++) {}
    ~Blob() { space->used -= static_cast<int64_t>(bytes.size()); }
    // Sizes the bytes to `size`; false, changing nothing, when the quota does not allow it.
    bool Resize(size_t size);
    std::shared_ptr<Space> space;
    uint64_t node;
    std::string bytes;
  };
  struct Node {
    std::shared_ptr<Blob> data;
    bool read_only = false;
  };
  class OpenFile;
  bool ParentExists(const std::string& full) const;
  // Notes `reason` for LastError and returns `result`.
  template <typename T>
  T Failed(T result, const char* reason) {
    space_->last_error = reason;
    return result;
  }
  std::shared_ptr<Blob> NewBlob(std::string content = {});

  std::map<std::string, Node> files_;
  std::set<std::string> directories_;
  std::string cwd_ = "/";
  std::shared_ptr<Space> space_ = std::make_shared<Space>();
  int temp_counter_ = 0;
  bool fail_renames_ = false;
  int64_t free_ = 1 << 20;
  int64_t total_ = 1 << 24;
};

}  // namespace kinet::platform
