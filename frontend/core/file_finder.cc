#include "frontend/core/file_finder.h"

#include <set>
#include <utility>

#include "frontend/core/builtins.h"

namespace kinet::desk {
namespace {

class Search {
 public:
  Search(platform::FileSystem& files, std::string mask, const FindObserver& observer)
      : files_(files), mask_(std::move(mask)), observer_(observer) {}

  // False once the observer stopped the search.
  bool Directory(const std::string& directory) {
    // A link back to a folder above would otherwise be searched without end.
    if (const auto id = files_.Identity(directory)) {
      if (!visited_.insert({id->device, id->node}).second) return true;
    }
    progress_.directories++;
    progress_.current = directory;
    if (observer_ && !observer_(progress_)) return false;
    const std::vector<std::string> names = files_.ListDirectory(directory);
    std::vector<std::string> subdirectories;
    for (const std::string& name : names) {
      const std::string path = (directory == "/" ? "" : directory) + "/" + name;
      if (files_.DirectoryExists(path)) {
        if (name[0] != '.') subdirectories.push_back(path);
      } else if (WildcardMatch(mask_, name)) {
        found_.push_back(path);
        progress_.found++;
      }
    }
    for (const std::string& sub : subdirectories)
      if (!Directory(sub)) return false;
    return true;
  }
  std::vector<std::string> found() { return std::move(found_); }

 private:
  platform::FileSystem& files_;
  const std::string mask_;
  const FindObserver& observer_;
  FindProgress progress_;
  std::vector<std::string> found_;
  std::set<std::pair<uint64_t, uint64_t>> visited_;
};

}  // namespace

std::vector<std::string> FindFiles(platform::FileSystem& files, const std::string& pattern,
                                   const FindObserver& observer) {
  const std::string full = files.FullPath(pattern);
  const size_t slash = full.rfind('/');
  const std::string directory = slash == 0 ? "/" : full.substr(0, slash);
  Search search(files, full.substr(slash + 1), observer);
  search.Directory(directory);
  return search.found();
}

}  // namespace kinet::desk
