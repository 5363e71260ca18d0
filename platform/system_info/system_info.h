// Facts about the running system that scripts can ask for.
#pragma once

#include <cstdint>
#include <string>

namespace kinet::platform {

struct SystemInfo {
  std::string platform;  // the operating system's name, e.g. "Linux"
  int32_t os_major = 0;  // kernel release, first two numbers
  int32_t os_minor = 0;
  int64_t available_memory = 0;  // bytes of physical memory free for use
  std::string executable_path;   // full path of the running program, "" when unknown
};

// Asks the system. Fields it cannot learn stay at their defaults.
SystemInfo QuerySystemInfo();

}  // namespace kinet::platform
