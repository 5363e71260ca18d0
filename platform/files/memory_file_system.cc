#include "platform/files/memory_file_system.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace kinet::platform {
namespace {

class MemoryFile : public File {
 public:
  MemoryFile(std::shared_ptr<std::string> data, bool writable)
      : data_(std::move(data)), writable_(writable) {}

  size_t Read(void* out, size_t size) override {
    if (position_ >= data_->size()) return 0;
    size_t count = std::min(size, data_->size() - static_cast<size_t>(position_));
    std::memcpy(out, data_->data() + position_, count);
    position_ += count;
    return count;
  }
  bool Write(const void* in, size_t size) override {
    if (!writable_) return false;
    if (data_->size() < position_ + size) data_->resize(position_ + size);
    std::memcpy(data_->data() + position_, in, size);
    position_ += size;
    return true;
  }
  bool Seek(uint64_t offset) override {
    position_ = offset;
    return true;
  }
  int64_t Size() override { return static_cast<int64_t>(data_->size()); }

 private:
  std::shared_ptr<std::string> data_;
  bool writable_;
  uint64_t position_ = 0;
};

std::string Normalise(const std::string& cwd, const std::string& path) {
  std::filesystem::path p(path);
  if (p.is_relative()) p = std::filesystem::path(cwd) / p;
  std::string out = p.lexically_normal().string();
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

std::string ParentOf(const std::string& full) {
  size_t slash = full.rfind('/');
  return slash == 0 ? "/" : full.substr(0, slash);
}

}  // namespace

MemoryFileSystem::MemoryFileSystem() { directories_.insert("/"); }

void MemoryFileSystem::AddFile(const std::string& path, std::string content) {
  std::string full = Normalise(cwd_, path);
  for (std::string dir = ParentOf(full); directories_.insert(dir).second; dir = ParentOf(dir)) {
  }
  files_[full].data = std::make_shared<std::string>(std::move(content));
}

const std::string* MemoryFileSystem::Content(const std::string& path) const {
  auto it = files_.find(Normalise(cwd_, path));
  return it == files_.end() ? nullptr : it->second.data.get();
}

bool MemoryFileSystem::ParentExists(const std::string& full) const {
  return directories_.count(ParentOf(full)) != 0;
}

std::unique_ptr<File> MemoryFileSystem::Open(const std::string& path, OpenMode mode) {
  std::string full = Normalise(cwd_, path);
  auto it = files_.find(full);
  if (mode == OpenMode::kCreate) {
    if (directories_.count(full) || !ParentExists(full)) return nullptr;
    if (it != files_.end() && it->second.read_only) return nullptr;
    Node& node = files_[full];
    if (!node.data) node.data = std::make_shared<std::string>();
    node.data->clear();
    return std::make_unique<MemoryFile>(node.data, true);
  }
  if (it == files_.end()) return nullptr;
  if (mode == OpenMode::kUpdate && it->second.read_only) return nullptr;
  return std::make_unique<MemoryFile>(it->second.data, mode == OpenMode::kUpdate);
}

int64_t MemoryFileSystem::FileSize(const std::string& path) {
  const std::string* content = Content(path);
  return content ? static_cast<int64_t>(content->size()) : -1;
}

bool MemoryFileSystem::Copy(const std::string& from, const std::string& to) {
  const std::string* content = Content(from);
  std::string target = Normalise(cwd_, to);
  if (!content || directories_.count(target) || !ParentExists(target)) return false;
  auto it = files_.find(target);
  if (it != files_.end() && it->second.read_only) return false;
  files_[target].data = std::make_shared<std::string>(*content);
  return true;
}

bool MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  std::string source = Normalise(cwd_, from), target = Normalise(cwd_, to);
  auto it = files_.find(source);
  if (it == files_.end() || directories_.count(target) || !ParentExists(target)) return false;
  if (source == target) return true;
  Node node = it->second;
  files_.erase(it);
  files_[target] = node;
  return true;
}

bool MemoryFileSystem::Remove(const std::string& path) {
  return files_.erase(Normalise(cwd_, path)) != 0;
}

std::string MemoryFileSystem::FullPath(const std::string& path) { return Normalise(cwd_, path); }

std::string MemoryFileSystem::CreateTempFile(const std::string& directory) {
  std::string dir = Normalise(cwd_, directory.empty() ? "/tmp" : directory);
  if (!directories_.count(dir)) return "";
  std::string name;
  do {
    name = (dir == "/" ? "" : dir) + "/knt" + std::to_string(++temp_counter_) + ".tmp";
  } while (files_.count(name));
  files_[name].data = std::make_shared<std::string>();
  return name;
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
  if (files_.count(full) || !ParentExists(full)) return false;
  return directories_.insert(full).second;
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
