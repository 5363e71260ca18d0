#include "platform/system_info/system_info.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace kinet::platform {
namespace {

int64_t AvailableMemory() {
  // MemAvailable counts what can be had without swapping, unlike the free page count.
  std::ifstream meminfo("/proc/meminfo");
  std::string key;
  int64_t kib = 0;
  std::string unit;
  while (meminfo >> key >> kib >> unit) {
    if (key == "MemAvailable:") return kib * 1024;
  }
  long pages = ::sysconf(_SC_AVPHYS_PAGES), page_size = ::sysconf(_SC_PAGESIZE);
  return pages > 0 && page_size > 0 ? int64_t{pages} * page_size : 0;
}

}  // namespace

SystemInfo QuerySystemInfo() {
  SystemInfo info;
  struct utsname names;
  if (::uname(&names) == 0) {
    info.platform = names.sysname;
    std::sscanf(names.release, "%d.%d", &info.os_major, &info.os_minor);
  }
  info.available_memory = AvailableMemory();
  char path[4096];
  ssize_t length = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (length > 0) info.executable_path.assign(path, static_cast<size_t>(length));
  return info;
}

}  // namespace kinet::platform
