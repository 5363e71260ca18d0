#include "platform/files/memory_file_system.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace kinet::platform {
namespace {

std::string Normalise(const std::string& cwd, const std::string& path) {
  std::filesystem::path p(path);
  if (p.is_relative()) p = std::filesystem::path(cwd) / p;
  std::string out = p.lexically_normal().string();
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

constexpr char kNoEntry[] = "No such file or directory";
constexpr char kIsFolder[] = "Is a directory";
constexpr char kNoSpace[] = "No space left on device";
constexpr char kDenied[] = "Permission denied";
constexpr char kInputOutput[] = "Input/output error";

std::string ParentOf(const std::string& full) {
  size_t slash = full.rfind('/');
  return slash == 0 ? "/" : full.substr(0, slash);
}

}  // namespace

class MemoryFileSystem::OpenFile : public File {
 public:
  OpenFile(std::shared_ptr<Blob> data, bool writable)
      : data_(std::move(data)), writable_(writable) {}

  size_t Read(void* out, size_t size) override {
    const std::string& bytes = data_->bytes;
    if (position_ >= bytes.size()) return 0;
    size_t count = std::min(size, bytes.size() - static_cast<size_t>(position_));
    std::memcpy(out, bytes.data() + position_, count);
    position_ += count;
    return count;
  }
  bool Write(const void* in, size_t size) override {
    if (!writable_) {
      data_->space->last_error = "Bad file descriptor";
      return false;
    }
    std::string& bytes = data_->bytes;
    size_t fits = size;
    if (bytes.size() < position_ + size && !data_->Resize(position_ + size)) {
      // A full disk: what fits is stored, the rest is refused.
      const Space& space = *data_->space;
      const uint64_t room = static_cast<uint64_t>(std::max<int64_t>(space.quota - space.used, 0));
      const uint64_t end = std::max<uint64_t>(bytes.size() + room, position_);
      fits = static_cast<size_t>(end - position_);
      if (!data_->Resize(std::max<size_t>(bytes.size(), position_ + fits))) {
        data_->space->last_error = kNoSpace;
        return false;
      }
    }
    std::memcpy(bytes.data() + position_, in, fits);
    position_ += fits;
    if (fits != size) data_->space->last_error = kNoSpace;
    return fits == size;
  }
  bool Seek(uint64_t offset) override {
    position_ = offset;
    return true;
  }
  int64_t Tell() override { return static_cast<int64_t>(position_); }
  int64_t Size() override { return static_cast<int64_t>(data_->bytes.size()); }
  bool Sync() override { return true; }
  std::optional<FileIdentity> Identity() override { return FileIdentity{1, data_->node}; }

 private:
  std::shared_ptr<Blob> data_;
  bool writable_;
  uint64_t position_ = 0;
};

bool MemoryFileSystem::Blob::Resize(size_t size) {
  const int64_t growth = static_cast<int64_t>(size) - static_cast<int64_t>(bytes.size());
  if (growth > 0 && space->quota >= 0 && space->used + growth > space->quota) return false;
  bytes.resize(size);
  space->Grow(growth);
  return true;
}

MemoryFileSystem::MemoryFileSystem() { directories_.insert("/"); }

std::shared_ptr<MemoryFileSystem::Blob> MemoryFileSystem::NewBlob(std::string content) {
  auto blob = std::make_shared<Blob>(space_);
  blob->bytes = std::move(content);
  space_->Grow(static_cast<int64_t>(blob->bytes.size()));
  return blob;
}

void MemoryFileSystem::AddFile(const std::string& path, std::string content) {
  std::string full = Normalise(cwd_, path);
  for (std::string dir = ParentOf(full); directories_.insert(dir).second; dir = ParentOf(dir)) {
  }
  files_[full].data = NewBlob(std::move(content));
}

const std::string* MemoryFileSystem::Content(const std::string& path) const {
  auto it = files_.find(Normalise(cwd_, path));
  return it == files_.end() ? nullptr : &it->second.data->bytes;
}

std::vector<std::string> MemoryFileSystem::AllFiles() const {
  std::vector<std::string> names;
  for (const auto& [full, node] : files_) names.push_back(full);
  return names;
}

bool MemoryFileSystem::ParentExists(const std::string& full) const {
  return directories_.count(ParentOf(full)) != 0;
}

std::unique_ptr<File> MemoryFileSystem::Open(const std::string& path, OpenMode mode) {
  std::string full = Normalise(cwd_, path);
  auto it = files_.find(full);
  if (directories_.count(full)) return Failed(nullptr, kIsFolder);
  if (mode == OpenMode::kCreate) {
    if (!ParentExists(full)) return Failed(nullptr, kNoEntry);
    if (it != files_.end() && it->second.read_only) return Failed(nullptr, kDenied);
    Node& node = files_[full];
    if (!node.data) node.data = NewBlob();
    (void)node.data->Resize(0);
    return std::make_unique<OpenFile>(node.data, true);
  }
  if (it == files_.end()) return Failed(nullptr, kNoEntry);
  if (mode == OpenMode::kUpdate && it->second.read_only) return Failed(nullptr, kDenied);
  return std::make_unique<OpenFile>(it->second.data, mode == OpenMode::kUpdate);
}

int64_t MemoryFileSystem::FileSize(const std::string& path) {
  const std::string* content = Content(path);
  return content ? static_cast<int64_t>(content->size()) : -1;
}

bool MemoryFileSystem::Exists(const std::string& path) {
  const std::string full = Normalise(cwd_, path);
  return files_.count(full) != 0 || directories_.count(full) != 0;
}

std::optional<FileIdentity> MemoryFileSystem::Identity(const std::string& path) {
  auto it = files_.find(Normalise(cwd_, path));
  if (it == files_.end()) return std::nullopt;
  return FileIdentity{1, it->second.data->node};
}

bool MemoryFileSystem::Copy(const std::string& from, const std::string& to) {
  const std::string* content = Content(from);
  std::string target = Normalise(cwd_, to);
  if (directories_.count(target)) return Failed(false, kIsFolder);
  if (!content || !ParentExists(target)) return Failed(false, kNoEntry);
  auto it = files_.find(target);
  if (it != files_.end() && it->second.read_only) return Failed(false, kDenied);
  if (space_->quota >= 0 && space_->used + int64_t(content->size()) > space_->quota)
    return Failed(false, kNoSpace);
  files_[target].data = NewBlob(*content);
  return true;
}

bool MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  std::string source = Normalise(cwd_, from), target = Normalise(cwd_, to);
  auto it = files_.find(source);
  if (fail_renames_) return Failed(false, kInputOutput);
  if (directories_.count(target)) return Failed(false, kIsFolder);
  if (it == files_.end() || !ParentExists(target)) return Failed(false, kNoEntry);
  if (source == target) return true;
  Node node = it->second;
  files_.erase(it);
  files_[target] = node;
  return true;
}

bool MemoryFileSystem::Remove(const std::string& path) {
  return files_.erase(Normalise(cwd_, path)) != 0 || Failed(false, kNoEntry);
}

std::string MemoryFileSystem::FullPath(const std::string& path) { return Normalise(cwd_, path); }

std::string MemoryFileSystem::CreateTempFile(const std::string& directory) {
  std::string dir = Normalise(cwd_, directory.empty() ? "/tmp" : directory);
  if (!directories_.count(dir)) return Failed(std::string(), kNoEntry);
  std::string name;
  do {
    name = (dir == "/" ? "" : dir) + "/knt" + std::to_string(++temp_counter_) + ".tmp";
  } while (files_.count(name));
  files_[name].data = NewBlob();
  return name;
}

std::unique_ptr<File> MemoryFileSystem::CreateUnique(const std::string& stem, std::string* path) {
  const std::string base = Normalise(cwd_, stem);
  if (!ParentExists(base)) return Failed(nullptr, kNoEntry);
  std::string name;
  do {
    name = base + std::to_string(++temp_counter_);
  } while (files_.count(name) || directories_.count(name));
  Node& node = files_[name];
  node.data = NewBlob();
  *path = name;
  return std::make_unique<OpenFile>(node.data, true);
}

int32_t MemoryFileSystem::GetAttributes(const std::string& path) {
  std::string full = Normalise(cwd_, path);
  int32_t hidden = full.compare(full.rfind('/') + 1, 1, ".") == 0 ? kAttributeHidden : 0;
  if (directories_.count(full)) return kAttributeDirectory | hidden;
  auto it = files_.find(full);
  if (it == files_.end()) return -1;
  int32_t bits = hidden | (it->second.read_only ? kAttributeReadOnly : 0);
  return bits ? bits : kAttributeNormal;
}

bool MemoryFileSystem::SetAttributes(const std::string& path, int32_t attributes) {
  auto it = files_.find(Normalise(cwd_, path));
  if (it == files_.end()) return directories_.count(Normalise(cwd_, path)) != 0;
  it->second.read_only = (attributes & kAttributeReadOnly) != 0;
  return true;
}

std::vector<std::string> MemoryFileSystem::ListDirectory(const std::string& directory) {
  std::string dir = Normalise(cwd_, directory);
  std::vector<std::string> names;
  if (!directories_.count(dir)) return names;
  auto add_children = [&](const std::string& full) {
    if (full != dir && ParentOf(full) == dir) names.push_back(full.substr(full.rfind('/') + 1));
  };
  for (const auto& [full, node] : files_) add_children(full);
  for (const auto& full : directories_) add_children(full);
  std::sort(names.begin(), names.end());
  return names;
}

bool MemoryFileSystem::ChangeDirectory(const std::string& path) {
  std::string full = Normalise(cwd_, path);
  if (!directories_.count(full)) return false;
  cwd_ = full;
  return true;
}

bool MemoryFileSystem::DirectoryExists(const std::string& path) {
  return directories_.count(Normalise(cwd_, path)) != 0;
}

bool MemoryFileSystem::MakeDirectory(const std::string& path) {
  std::string full = Normalise(cwd_, path);
  if (!ParentExists(full)) return Failed(false, kNoEntry);
  if (files_.count(full) || !directories_.insert(full).second) return Failed(false, "File exists");
  return true;
}

bool MemoryFileSystem::RemoveDirectory(const std::string& path) {
  std::string full = Normalise(cwd_, path);
  if (full == "/" || full == cwd_ || !directories_.count(full) || !ListDirectory(full).empty())
    return false;
  directories_.erase(full);
  return true;
}

DriveKind MemoryFileSystem::KindOf(const std::string& path) {
  return directories_.count(Normalise(cwd_, path)) ? DriveKind::kFixed : DriveKind::kMissing;
}

}  // namespace kinet::platform
