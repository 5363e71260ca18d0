// The script variables: one text area of 32,768 bytes shared by every file and subroutine.
// Each variable is stored as 0xFF, the upper-case name, 0xFE and the value; the area ends with
// 0xFF 0x00. Those marker bytes can therefore never be part of a name or value: Set replaces
// 0xFE and 0xFF by '?' and ends a value at a 0x00 byte, so text read from files or the
// environment cannot break the store apart.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kinet::script {

class VariableStore {
 public:
  static constexpr size_t kCapacity = 32768;

  VariableStore() = default;

  // The value, or "" when the variable does not exist. The view stays valid until the next
  // Set or Clear.
  std::string_view Get(std::string_view name) const;
  // Empty value: removes the variable. A new variable that would not fit (with the end
  // marker) is dropped silently; a grown value that would not fit leaves the old one.
  void Set(std::string_view name, std::string_view value);
  void Clear() { area_.clear(); }

  // Every variable as (NAME, value), in store order.
  std::vector<std::pair<std::string, std::string>> List() const;
  // Bytes in use including the two end bytes.
  size_t used_bytes() const { return area_.size() + 2; }

 private:
  // Offset of the entry's 0xFF, or npos.
  size_t Find(std::string_view upper_name) const;

  std::string area_;  // the entries, without the end marker
};

// Names are trimmed and made upper case; the markers are taken out of names and values.
std::string CleanName(std::string_view name);
std::string CleanValue(std::string_view value);

}  // namespace kinet::script
