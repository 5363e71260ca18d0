#include <stdlib.h>

#include "platform/environment/environment.h"

namespace kinet::platform {
namespace {

class PosixEnvironment : public Environment {
 public:
  std::optional<std::string> Get(const std::string& name) override {
    const char* value = ::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
  }
  bool Set(const std::string& name, const std::string& value) override {
    if (name.empty() || name.find('=') != std::string::npos) return false;
    if (value.empty()) return ::unsetenv(name.c_str()) == 0;
    return ::setenv(name.c_str(), value.c_str(), 1) == 0;
  }
};

}  // namespace

Environment& ProcessEnvironment() {
  static PosixEnvironment instance;
  return instance;
}

}  // namespace kinet::platform
