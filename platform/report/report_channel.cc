#include "platform/report/report_channel.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace kinet::platform {
namespace {

// A sender that connected but stalls must not hold the receiver for long, and a receiver that
// stopped accepting (its queue full) must not hold a finishing tool.
constexpr int kMessageTimeoutMs = 2000;

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

bool MakeAddress(uint32_t number, sockaddr_un* address) {
  std::string path = ReportSocketPath(number);
  if (path.size() >= sizeof(address->sun_path)) return false;
  std::memset(address, 0, sizeof(*address));
  address->sun_family = AF_UNIX;
  std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
  return true;
}

// A connected socket to channel `number`, or -1.
int Connect(uint32_t number) {
  sockaddr_un address;
  if (!MakeAddress(number, &address)) return -1;
  Fd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (fd.get() < 0) return -1;
  // Bounds both the wait for room in the receiver's queue and each write.
  timeval limit{kMessageTimeoutMs / 1000, 0};
  setsockopt(fd.get(), SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof(limit));
  int rc;
  do {
    rc = connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address));
  } while (rc != 0 && errno == EINTR);
  return rc == 0 ? fd.release() : -1;
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = send(fd, data, size, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Reads exactly `size` bytes, waiting at most `timeout_ms` for each piece (negative: forever).
bool ReadAll(int fd, char* data, size_t size, int timeout_ms) {
  while (size > 0) {
    pollfd p{fd, POLLIN, 0};
    int ready = poll(&p, 1, timeout_ms);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    ssize_t n = read(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

void PutLe32(char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>(v >> (8 * i));
}

uint32_t GetLe32(const char* p) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= uint32_t{static_cast<unsigned char>(p[i])} << (8 * i);
  return v;
}

bool WriteMessage(int fd, uint32_t id, std::string_view payload) {
  if (payload.size() > kMaxReportPayload) return false;
  char head[8];
  PutLe32(head, id);
  PutLe32(head + 4, static_cast<uint32_t>(payload.size()));
  return WriteAll(fd, head, sizeof(head)) && WriteAll(fd, payload.data(), payload.size());
}

std::optional<ReportMessage> ReadMessage(int fd) {
  char head[8];
  if (!ReadAll(fd, head, sizeof(head), kMessageTimeoutMs)) return std::nullopt;
  ReportMessage message;
  message.id = GetLe32(head);
  uint32_t length = GetLe32(head + 4);
  if (length > kMaxReportPayload) return std::nullopt;
  message.payload.resize(length);
  if (!ReadAll(fd, message.payload.data(), length, kMessageTimeoutMs)) return std::nullopt;
  return message;
}

}  // namespace

std::string ReportSocketPath(uint32_t number) {
  const char* dir = std::getenv("XDG_RUNTIME_DIR");
  std::string base = (dir != nullptr && dir[0] != '\0') ? dir : "/tmp";
  return base + "/kinetor-report-" + std::to_string(number) + ".sock";
}

bool ReportChannelExists(uint32_t number) {
  Fd fd(Connect(number));
  return fd.get() >= 0;
}

bool SendReport(uint32_t number, uint32_t id, std::string_view payload) {
  Fd fd(Connect(number));
  return fd.get() >= 0 && WriteMessage(fd.get(), id, payload);
}

std::optional<uint32_t> QueryReport(uint32_t number, uint32_t id, std::string_view payload,
                                    int timeout_ms) {
  Fd fd(Connect(number));
  if (fd.get() < 0 || !WriteMessage(fd.get(), id, payload)) return std::nullopt;
  char answer[4];
  if (!ReadAll(fd.get(), answer, sizeof(answer), timeout_ms)) return std::nullopt;
  return GetLe32(answer);
}

std::optional<ReportListener> ReportListener::Open(uint32_t number) {
  sockaddr_un address;
  if (!MakeAddress(number, &address)) return std::nullopt;
  if (ReportChannelExists(number)) return std::nullopt;
  unlink(address.sun_path);
  Fd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (fd.get() < 0) return std::nullopt;
  if (bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(fd.get(), 16) != 0) {
    return std::nullopt;
  }
  return ReportListener(fd.release(), number);
}

ReportListener::ReportListener(ReportListener&& other) noexcept
    : fd_(other.fd_), number_(other.number_) {
  other.fd_ = -1;
}

ReportListener& ReportListener::operator=(ReportListener&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    number_ = other.number_;
    other.fd_ = -1;
  }
  return *this;
}

ReportListener::~ReportListener() { Close(); }

void ReportListener::Close() {
  if (fd_ < 0) return;
  close(fd_);
  fd_ = -1;
  unlink(ReportSocketPath(number_).c_str());
}

std::optional<ReportMessage> ReportListener::Receive(
    int timeout_ms, const std::function<uint32_t(const ReportMessage&)>& answer) {
  while (true) {
    pollfd p{fd_, POLLIN, 0};
    int ready = poll(&p, 1, timeout_ms);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    Fd connection(accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC));
    if (connection.get() < 0) continue;
    std::optional<ReportMessage> message = ReadMessage(connection.get());
    if (!message) continue;
    if (message->id == kReportOwnerQuery) {
      char reply[4];
      PutLe32(reply, answer ? answer(*message) : 0);
      // The sender may have given up waiting; the message still counts.
      (void)WriteAll(connection.get(), reply, sizeof(reply));
    }
    return message;
  }
}

}  // namespace kinet::platform
