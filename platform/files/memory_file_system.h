// An in-memory FileSystem for tests and fuzzing: nothing a script does can reach the disk.
// Paths are normalised against a current directory that starts at "/". Drives report a fixed
// size set by the test.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

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

  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override;
  int64_t FileSize(const std::string& path) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  std::string FullPath(const std::string& path) override;
  std::string CreateTempFile(const std::string& directory) override;
  int32_t GetAttributes(const std::string& path) override;
  bool SetAttributes(const std::string& path, int32_t attributes) override;
  std::vector<std::string> ListDirectory(const std::string& directory) override;
  bool ChangeDirectory(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  bool MakeDirectory(const std::string& path) override;
  bool RemoveDirectory(const std::string& path) override;
  std::string CurrentDirectory() override { return cwd_; }
  int64_t FreeSpace(const std::string& path) override { return free_; }
  int64_t TotalSpace(const std::string& path) override { return total_; }
  DriveKind KindOf(const std::string& path) override;

 private:
  struct Node {
    std::shared_ptr<std::string> data;  // shared with open files, like an inode
    bool read_only = false;
  };
  bool ParentExists(const std::string& full) const;

  std::map<std::string, Node> files_;
  std::set<std::string> directories_;
  std::string cwd_ = "/";
  int temp_counter_ = 0;
  int64_t free_ = 1 << 20;
  int64_t total_ = 1 << 24;
};

}  // namespace kinet::platform
