#include "platform/files/output_file.h"

namespace kinet::platform {

bool SafeOutputFile::Create(FileSystem& files, const std::string& target) {
  Abandon();
  files_ = &files;
  target_ = target;
  // A hidden name beside the target: the rename stays on one file system.
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  file_ = files.CreateUnique(folder + "." + base + ".partial-", &temp_);
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
