#include "platform/files/output_file.h"

#include <charconv>

#include "platform/files/run_marks.h"

namespace kinet::platform {

namespace {

// Removes the partial outputs of `stem` ("<folder>.<name>.partial-") whose runs have ended:
// what a killed run of the same output left.
void RemoveStalePartials(FileSystem& files, const std::string& folder, const std::string& stem) {
  const std::string prefix = stem.substr(folder.size());
  for (const std::string& name : files.ListDirectory(folder.empty() ? "." : folder)) {
    if (!name.starts_with(prefix)) continue;
    uint32_t id = 0;
    const auto [end, error] =
        std::from_chars(name.data() + prefix.size(), name.data() + name.size(), id);
    if (error == std::errc() && end < name.data() + name.size() && *end == '-' &&
        RunHasEnded(id))
      files.Remove(folder + name);
  }
}

}  // namespace

bool SafeOutputFile::Create(FileSystem& files, const std::string& target) {
  Abandon();
  files_ = &files;
  target_ = target;
  // A hidden name beside the target, so that the rename stays on one file system, holding the
  // number of the run that writes it.
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  const std::string stem = folder + "." + base + ".partial-";
  RemoveStalePartials(files, folder, stem);
  file_ = files.CreateUnique(stem + std::to_string(ThisRunId()) + "-", &temp_);
  if (!file_) temp_.clear();
  return file_ != nullptr;
}

bool SafeOutputFile::Write(const void* data, size_t size) {
  return file_ && file_->Write(data, size);
}

bool SafeOutputFile::Seek(uint64_t offset) { return file_ && file_->Seek(offset); }

int64_t SafeOutputFile::Tell() const { return file_ ? file_->Tell() : -1; }

bool SafeOutputFile::Flush() { return file_ && file_->Sync(); }

bool SafeOutputFile::Close() {
  if (!file_) return !temp_.empty();
  const bool synced = file_->Sync();
  file_.reset();
  if (!synced) Abandon();
  return synced;
}

bool SafeOutputFile::Commit() {
  if (!Close()) return false;
  if (files_->Rename(temp_, target_)) {
    temp_.clear();
    return true;
  }
  Abandon();
  return false;
}

void SafeOutputFile::Abandon() {
  file_.reset();
  if (!temp_.empty()) files_->Remove(temp_);
  temp_.clear();
}

}  // namespace kinet::platform
