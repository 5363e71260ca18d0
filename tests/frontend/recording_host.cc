#include "tests/frontend/recording_host.h"

#include <fstream>
#include <random>
#include <sstream>

namespace kinet::desk::testing {

TempFolder::TempFolder() {
  std::random_device random;
  const auto dir = std::filesystem::temp_directory_path() /
                   ("kinetdesk-test-" + std::to_string(random()) + std::to_string(random()));
  std::filesystem::create_directories(dir);
  path_ = std::filesystem::canonical(dir).string();
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(path_, error);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream(*this / name, std::ios::binary) << bytes;
}

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream in(*this / name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace kinet::desk::testing
