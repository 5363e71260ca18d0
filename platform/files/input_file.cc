#include "platform/files/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace kinet::platform {

InputFile::InputFile(InputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), owned_(other.owned_) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    owned_ = other.owned_;
  }
  return *this;
}

bool InputFile::Open(const char* name) {
  Close();
  fd_ = ::open(name, O_RDONLY | O_CLOEXEC);
  owned_ = fd_ >= 0;
  if (fd_ >= 0) ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
  return fd_ >= 0;
}

void InputFile::Borrow(int descriptor) {
  Close();
  fd_ = descriptor;
  owned_ = false;
}

size_t InputFile::Read(void* data, size_t size) {
  size_t done = 0;
  auto* out = static_cast<unsigned char*>(data);
  while (fd_ >= 0 && done < size) {
    ssize_t n = ::read(fd_, out + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

bool InputFile::Seek(uint64_t offset) {
  return fd_ >= 0 && ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

int64_t InputFile::Tell() const { return fd_ >= 0 ? ::lseek(fd_, 0, SEEK_CUR) : -1; }

int64_t InputFile::Size() const {
  struct stat st;
  if (fd_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return st.st_size;
}

void InputFile::Close() {
  if (fd_ >= 0 && owned_) ::close(fd_);
  fd_ = -1;
  owned_ = false;
}

}  // namespace kinet::platform
