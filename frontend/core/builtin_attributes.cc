// Built-in attr: tokens a+ r+ h+ s+ +a +r +h +s set, a- r- h- s- -a -r -h -s clear, and one
// file name or wildcard. Only read-only has a meaning here (the write bits); hidden is a name
// beginning with '.', and there is no archive or system attribute, which the result line says.
#include <filesystem>
#include <optional>
#include <system_error>

#include "frontend/core/builtins.h"
#include "frontend/core/command_text.h"

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;

struct Request {
  std::optional<bool> read_only;
  std::string without_meaning;  // letters asked for that have no meaning here
  std::string file;
};

std::optional<Request> ParseRequest(std::string_view argument) {
  Request request;
  for (const std::string& word : Words(argument)) {
    const std::string w = Lowered(word);
    const bool token = w.size() == 2 && (w[0] == '+' || w[0] == '-' || w[1] == '+' || w[1] == '-');
    if (!token) {
      if (!request.file.empty()) return std::nullopt;
      request.file = word;
      continue;
    }
    const char letter = (w[0] == '+' || w[0] == '-') ? w[1] : w[0];
    const bool set = w[0] == '+' || w[1] == '+';
    if (letter == 'r') {
      request.read_only = set;
    } else if (letter == 'a' || letter == 'h' || letter == 's') {
      const char upper = static_cast<char>(letter - 'a' + 'A');
      if (request.without_meaning.find(upper) == std::string::npos)
        request.without_meaning += upper;
    } else {
      return std::nullopt;
    }
  }
  if (request.file.empty()) return std::nullopt;
  return request;
}

}  // namespace

void ChangeAttributes(CommandRunner& runner, std::string_view argument) {
  runner.Echo("Attr " + std::string(argument));
  const std::optional<Request> request = ParseRequest(argument);
  if (!request) return runner.WriteResult("Attribute command error.");
  const std::vector<std::string> files = MatchingPaths(runner.Resolve(request->file), false);
  if (files.empty()) return runner.WriteResult("  No files found.");
  const std::string note =
      request->without_meaning.empty()
          ? ""
          : " (" + request->without_meaning + " has no meaning here and was left alone)";
  for (const std::string& file : files) {
    const std::string before = AttributeLetters(file);
    std::error_code error;
    if (request->read_only) {
      if (*request->read_only)
        fs::permissions(file,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove, error);
      else
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, error);
    }
    if (error) {
      runner.Failure("  Error changing attributes of " + file, "Error, " + error.message());
      continue;
    }
    runner.WriteResult("  Attributes from '" + before + "' to '" + AttributeLetters(file) +
                       "' on " + file + note);
  }
}

}  // namespace kinet::desk
