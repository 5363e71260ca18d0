// The files a run reads, so that no output of the run can replace one of them: a FileSystem
// that passes every call on and remembers each file opened for reading through it, whatever
// name reached it (an extension filled in, a list entry, the palette file, a sound). The
// members of a numbered series are read one by one while the outputs are already being made,
// so a series is remembered as its name pattern.
//
//   RunInputs inputs(files);
//   auto source = GraphicsSource::Open(inputs, options, name);   // sources read through it
//   inputs.AddSeries(source->series());
//   if (inputs.Holds(output)) refuse;                             // kOutputIsInput
#pragma once

#include <set>
#include <span>
#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "toolkit/series_name.h"

namespace kinet::toolkit {

class RunInputs : public platform::FileSystem {
 public:
  // `files` must outlive this.
  explicit RunInputs(platform::FileSystem& files) : files_(files) {}

  // Remembers the members of numbered series read one file at a time.
  void AddSeries(std::span<const SeriesName> series);
  // True when `name` leads to a file opened for reading through this (the same identity or
  // the same full path) or names a member of a series added.
  bool Holds(const std::string& name);

  std::unique_ptr<platform::File> Open(const std::string& path, platform::OpenMode mode) override;
  int64_t FileSize(const std::string& path) override { return files_.FileSize(path); }
  bool Exists(const std::string& path) override { return files_.Exists(path); }
  std::optional<platform::FileIdentity> Identity(const std::string& path) override {
    return files_.Identity(path);
  }
  bool Copy(const std::string& from, const std::string& to) override {
    return files_.Copy(from, to);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return files_.Rename(from, to);
  }
  bool Remove(const std::string& path) override { return files_.Remove(path); }
  std::string FullPath(const std::string& path) override { return files_.FullPath(path); }
  std::string CreateTempFile(const std::string& directory) override {
    return files_.CreateTempFile(directory);
  }
  std::unique_ptr<platform::File> CreateUnique(const std::string& stem,
                                               std::string* path) override {
    return files_.CreateUnique(stem, path);
  }
  int32_t GetAttributes(const std::string& path) override { return files_.GetAttributes(path); }
  bool SetAttributes(const std::string& path, int32_t attributes) override {
    return files_.SetAttributes(path, attributes);
  }
  std::vector<std::string> ListDirectory(const std::string& directory) override {
    return files_.ListDirectory(directory);
  }
  bool ChangeDirectory(const std::string& path) override { return files_.ChangeDirectory(path); }
  bool DirectoryExists(const std::string& path) override { return files_.DirectoryExists(path); }
  bool MakeDirectory(const std::string& path) override { return files_.MakeDirectory(path); }
  bool RemoveDirectory(const std::string& path) override { return files_.RemoveDirectory(path); }
  std::string CurrentDirectory() override { return files_.CurrentDirectory(); }
  int64_t FreeSpace(const std::string& path) override { return files_.FreeSpace(path); }
  int64_t TotalSpace(const std::string& path) override { return files_.TotalSpace(path); }
  platform::DriveKind KindOf(const std::string& path) override { return files_.KindOf(path); }
  std::string LastError() override { return files_.LastError(); }

 private:
  // A series with its prefix and suffix as full paths, split where the number goes.
  struct Pattern {
    std::string before, after;
    SeriesName series;
  };

  platform::FileSystem& files_;
  std::set<std::string> paths_;
  std::vector<platform::FileIdentity> identities_;
  std::vector<Pattern> series_;
};

}  // namespace kinet::toolkit
