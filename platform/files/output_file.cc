#include "platform/files/output_file.h"

#include <charconv>
#include <string_view>

#include "platform/files/run_marks.h"

namespace kinet::platform {

namespace {

constexpr std::string_view kPartialMark = ".partial-";

// Removes the partial outputs in `folder` whose runs have ended: what killed runs left.
void RemoveStalePartials(FileSystem& files, const std::string& folder) {
  for (const std::string& name : files.ListDirectory(folder.empty() ? "." : folder)) {
    const size_t mark = name.rfind(kPartialMark);
    if (name[0] != '.' || mark == std::string::npos) continue;
    const char* number = name.data() + mark + kPartialMark.size();
    const char* end = name.data() + name.size();
    uint32_t id = 0;
    const auto [after, error] = std::from_chars(number, end, id);
    if (error == std::errc() && after < end && *after == '-' && RunHasEnded(id))
      files.Remove(folder + name);
  }
}

}  // namespace

bool SafeOutputFile::Create(FileSystem& files, const std::string& target, bool sweep) {
  Abandon();
  files_ = &files;
  target_ = target;
  // A hidden name beside the target, so that the rename stays on one file system, holding the
  // number of the run that writes it.
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  if (sweep) RemoveStalePartials(files, folder);
  file_ = files.CreateUnique(
      folder + "." + base + std::string(kPartialMark) + std::to_string(ThisRunId()) + "-", &temp_);
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
