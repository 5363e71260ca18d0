// The real FileSystem over POSIX calls.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

#include "platform/files/file_system.h"
#include "platform/interrupts/interrupts.h"

namespace kinet::platform {
namespace {

// errno of the last failure LastError reports, kept apart from errno, which later calls that
// succeed or fail for other reasons change.
thread_local int last_failure = 0;

// Returns `result` after noting errno as the reason of the failure it stands for.
template <typename T>
T Failed(T result) {
  last_failure = errno;
  return result;
}

std::optional<FileIdentity> IdentityOf(const struct stat& st) {
  return FileIdentity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}

// How long a read from a pipe waits before it looks for an interrupt again.
constexpr int kPipeWaitMs = 100;

// Waits until `fd` can be read without blocking; false when an interrupt came first.
bool WaitReadable(int fd) {
  pollfd ready{fd, POLLIN, 0};
  while (!InterruptPending()) {
    if (::poll(&ready, 1, kPipeWaitMs) > 0) return true;
  }
  return false;
}

bool IsRegular(int fd) {
  struct stat st;
  return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

class PosixFile : public File {
 public:
  // A borrowed descriptor belongs to the caller and stays open.
  PosixFile(int fd, bool owned) : fd_(fd), owned_(owned), may_wait_(!IsRegular(fd)) {}
  ~PosixFile() override {
    if (owned_) ::close(fd_);
  }

  // A pipe, FIFO or device may have nothing to read for ever: its reads end as a failure when
  // an interrupt comes, so the tool sees the request. Reads of a regular file never wait.
  size_t Read(void* data, size_t size) override {
    for (;;) {
      if (may_wait_ && !WaitReadable(fd_)) return 0;
      ssize_t got = ::read(fd_, data, size);
      if (got >= 0) return static_cast<size_t>(got);
      if (errno != EINTR && errno != EAGAIN) return 0;
    }
  }
  bool Write(const void* data, size_t size) override {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      ssize_t put = ::write(fd_, p, size);
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) return Failed(false);
      if (put == 0) {
        errno = ENOSPC;
        return Failed(false);
      }
      p += put;
      size -= static_cast<size_t>(put);
    }
    return true;
  }
  bool Seek(uint64_t offset) override {
    return ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0;
  }
  int64_t Tell() override { return ::lseek(fd_, 0, SEEK_CUR); }
  int64_t Size() override {
    struct stat st;
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
  }
  bool Sync() override { return ::fsync(fd_) == 0 || Failed(false); }
  std::optional<FileIdentity> Identity() override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) return std::nullopt;
    return IdentityOf(st);
  }

 private:
  int fd_;
  bool owned_;
  bool may_wait_;
};

bool StatPath(const std::string& path, struct stat* st) { return ::stat(path.c_str(), st) == 0; }

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override {
    int flags = O_CLOEXEC;
    switch (mode) {
      case OpenMode::kRead:
        flags |= O_RDONLY;
        break;
      case OpenMode::kCreate:
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
      case OpenMode::kUpdate:
        flags |= O_RDWR;
        break;
    }
    // Opening a FIFO to read would wait for a writer, and no interrupt could end that wait:
    // it opens at once, and its reads wait instead.
    struct stat st;
    const bool fifo = mode == OpenMode::kRead && StatPath(path, &st) && S_ISFIFO(st.st_mode);
    int fd = ::open(path.c_str(), flags | (fifo ? O_NONBLOCK : 0), 0666);
    if (fd < 0) return Failed(nullptr);
    if (fifo) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
      if (S_ISDIR(st.st_mode)) errno = EISDIR;
      last_failure = errno;
      ::close(fd);
      return nullptr;
    }
    if (mode == OpenMode::kRead) ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return std::make_unique<PosixFile>(fd, true);
  }

  int64_t FileSize(const std::string& path) override {
    struct stat st;
    return StatPath(path, &st) && S_ISREG(st.st_mode) ? static_cast<int64_t>(st.st_size) : -1;
  }

  bool Exists(const std::string& path) override {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
  }
  std::optional<FileIdentity> Identity(const std::string& path) override {
    struct stat st;
    if (!StatPath(path, &st)) return std::nullopt;
    return IdentityOf(st);
  }

  bool Copy(const std::string& from, const std::string& to) override {
    std::error_code ec;
    if (std::filesystem::is_directory(from, ec)) {
      errno = EISDIR;
      return Failed(false);
    }
    if (std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing,
                                   ec))
      return true;
    last_failure = ec.value();
    return false;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0 || Failed(false);
  }
  bool Remove(const std::string& path) override {
    return ::unlink(path.c_str()) == 0 || Failed(false);
  }

  std::string FullPath(const std::string& path) override {
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    if (ec) return "";
    std::string out = full.lexically_normal().string();
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    return out;
  }

  std::string CreateTempFile(const std::string& directory) override {
    std::string dir = directory;
    if (dir.empty()) {
      const char* tmp = ::getenv("TMPDIR");
      dir = tmp && *tmp ? tmp : "/tmp";
    }
    std::string templ = FullPath(dir) + "/kntXXXXXX";
    int fd = ::mkstemp(templ.data());
    if (fd < 0) return Failed(std::string());
    ::close(fd);
    return templ;
  }

  std::unique_ptr<File> CreateUnique(const std::string& stem, std::string* path) override {
    std::string name = stem + "XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return Failed(nullptr);
    // mkostemp gives 0600; an output is readable by others, as files usually are.
    ::fchmod(fd, 0644);
    *path = name;
    return std::make_unique<PosixFile>(fd, true);
  }

  int32_t GetAttributes(const std::string& path) override {
    struct stat st;
    if (!StatPath(path, &st)) return -1;
    std::string name = std::filesystem::path(FullPath(path)).filename().string();
    int32_t bits = (name.size() > 1 && name[0] == '.') ? kAttributeHidden : 0;
    if (S_ISDIR(st.st_mode)) return bits | kAttributeDirectory;
    if (!(st.st_mode & S_IWUSR)) bits |= kAttributeReadOnly;
    return bits ? bits : kAttributeNormal;
  }

  bool SetAttributes(const std::string& path, int32_t attributes) override {
    struct stat st;
    if (!StatPath(path, &st)) return false;
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & kAttributeReadOnly) ? (mode & ~mode_t{0222}) : (mode | S_IWUSR);
    return ::chmod(path.c_str(), mode) == 0;
  }

  std::vector<std::string> ListDirectory(const std::string& directory) override {
    std::vector<std::string> names;
    DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
    if (!dir) return names;
    while (dirent* entry = ::readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
  }

  bool ChangeDirectory(const std::string& path) override { return ::chdir(path.c_str()) == 0; }
  bool DirectoryExists(const std::string& path) override {
    struct stat st;
    return StatPath(path, &st) && S_ISDIR(st.st_mode);
  }
  bool MakeDirectory(const std::string& path) override {
    return ::mkdir(path.c_str(), 0777) == 0 || Failed(false);
  }
  bool RemoveDirectory(const std::string& path) override { return ::rmdir(path.c_str()) == 0; }
  std::string CurrentDirectory() override {
    std::error_code ec;
    std::string cwd = std::filesystem::current_path(ec).string();
    return ec ? "" : cwd;
  }

  int64_t FreeSpace(const std::string& path) override {
    struct statvfs vfs;
    if (::statvfs(path.c_str(), &vfs) != 0) return -1;
    return static_cast<int64_t>(vfs.f_bavail) * static_cast<int64_t>(vfs.f_frsize);
  }
  int64_t TotalSpace(const std::string& path) override {
    struct statvfs vfs;
    if (::statvfs(path.c_str(), &vfs) != 0) return -1;
    return static_cast<int64_t>(vfs.f_blocks) * static_cast<int64_t>(vfs.f_frsize);
  }

  DriveKind KindOf(const std::string& path) override {
    struct statfs fs;
    if (::statfs(path.c_str(), &fs) != 0) return DriveKind::kMissing;
    switch (static_cast<unsigned long>(fs.f_type)) {
      case 0x9660:      // ISO 9660
      case 0x15013346:  // UDF
        return DriveKind::kCdRom;
      case 0x6969:      // NFS
      case 0xFF534D42:  // CIFS
      case 0xFE534D42:  // SMB2
      case 0x517B:      // SMB
      case 0x65735546:  // FUSE (sshfs and the like)
        return DriveKind::kRemote;
      default:
        break;
    }
    // Desktops mount removable media below these folders.
    std::string full = FullPath(path);
    if (full.rfind("/media/", 0) == 0 || full.rfind("/run/media/", 0) == 0)
      return DriveKind::kRemovable;
    return DriveKind::kFixed;
  }

  std::string LastError() override { return last_failure ? std::strerror(last_failure) : ""; }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem instance;
  return instance;
}

std::unique_ptr<File> BorrowDescriptor(int descriptor) {
  if (descriptor < 0) return nullptr;
  return std::make_unique<PosixFile>(descriptor, false);
}

}  // namespace kinet::platform
