// The process environment, read and changed by scripts.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace kinet::platform {

class Environment {
 public:
  virtual ~Environment() = default;
  // The value, or nullopt when the variable is not set.
  virtual std::optional<std::string> Get(const std::string& name) = 0;
  // An empty value removes the variable. False when the name is unusable (empty or with '=').
  virtual bool Set(const std::string& name, const std::string& value) = 0;
};

// The player process's own environment.
Environment& ProcessEnvironment();

// A private environment for tests.
class MapEnvironment : public Environment {
 public:
  std::optional<std::string> Get(const std::string& name) override {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
  }
  bool Set(const std::string& name, const std::string& value) override {
    if (name.empty() || name.find('=') != std::string::npos) return false;
    if (value.empty()) {
      values_.erase(name);
    } else {
      values_[name] = value;
    }
    return true;
  }

 private:
  std::map<std::string, std::string> values_;
};

}  // namespace kinet::platform
