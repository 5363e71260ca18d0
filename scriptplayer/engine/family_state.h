// The state a command family keeps between commands (the bitmap table, the print file, the
// search of FILEFIND, ...). The engine holds one per family, made on the family's first use
// and kept until the interpreter goes, and tells each about the events that concern it
// without knowing what the family is.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kinet::script {

class FamilyState {
 public:
  virtual ~FamilyState() = default;
  // A file of the file table was closed; a family that writes to it by handle forgets it.
  virtual void FileClosed(int32_t /*handle*/) {}
  // The run ended (normally or by an error) and every file is about to close.
  virtual void RunEnded() {}
};

namespace detail {
// A distinct small number for each family state type, counted from 0 at first use.
size_t NextFamilyId();
template <typename T>
size_t FamilyId() {
  static const size_t id = NextFamilyId();
  return id;
}
}  // namespace detail

}  // namespace kinet::script
