// Labels of the running files: one table of at most 512 for all files that run at a time. The
// labels of one file occupy the range from its base to the end; lookups see only that range,
// newest first, so a later duplicate hides an earlier one. Names are kept whole (never cut to
// a fixed slot), so long labels that share a beginning stay apart.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kinet::script {

class LabelTable {
 public:
  static constexpr size_t kCapacity = 512;

  // False when the table is full.
  [[nodiscard]] bool Add(std::string upper_name, size_t position);
  // The position of the newest label of the running file with that upper-case name, or -1.
  long Find(const std::string& upper_name) const;

  // A file run starts a range at the current count and gives it up when it ends.
  size_t base() const { return base_; }
  void set_base(size_t base) { base_ = base; }
  size_t count() const { return labels_.size(); }
  void Truncate(size_t count) { labels_.resize(count); }

 private:
  struct Label {
    std::string name;
    size_t position;
  };
  std::vector<Label> labels_;
  size_t base_ = 0;
};

}  // namespace kinet::script
