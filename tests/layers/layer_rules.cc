#include "tests/layers/layer_rules.h"

#include <algorithm>
#include <array>

namespace kinet::layers {
namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// The first two components of a path ("tools/kinetplayw" of "tools/kinetplayw/main.cc").
std::string_view FirstTwoComponents(std::string_view path) {
  const size_t first = path.find('/');
  return first == std::string_view::npos ? path : path.substr(0, path.find('/', first + 1));
}

void SkipBlanks(std::string_view& s) {
  s.remove_prefix(std::min(s.find_first_not_of(" \t"), s.size()));
}

bool IsProgramArea(std::string_view area) {
  return StartsWith(area, "tools/") || StartsWith(area, "soundtools/") ||
         StartsWith(area, "graphics/") || area == "compressor/kinetpackw";
}

// The areas each area may include besides itself.
std::vector<std::string_view> Allowed(std::string_view area) {
  if (area == "kinet" || area == "platform") return {};
  if (area == "lib/core") return {"kinet"};
  if (area == "lib") return {"kinet", "lib/core", "platform"};
  if (area == "toolkit") return {"kinet", "lib/core", "lib", "platform"};
  if (area == "compressor") return {"kinet", "lib/core", "platform"};
  if (area == "scriptplayer") return {"kinet", "lib/core", "lib", "platform", "toolkit"};
  if (area == "frontend") return {"platform"};
  // Programs over the installed library see what its users see: the public headers.
  if (area == "examples") return {"kinet"};
  if (IsProgramArea(area)) return {"kinet", "lib/core", "lib", "platform", "toolkit", "compressor"};
  return {};
}

// Headers of the operating system, SDL, the image libraries and Qt, and the standard library's
// file access: files are reached through platform's file service, so that every failure of a
// disk can be made in a test.
bool IsFileAccessHeader(std::string_view h) { return h == "filesystem" || h == "fstream"; }

bool IsSystemServiceHeader(std::string_view h) {
  if (IsFileAccessHeader(h)) return true;
  static constexpr std::array<std::string_view, 18> kPrefixes = {
      "SDL",       "sys/",      "unistd.h", "fcntl.h",   "dirent.h", "poll.h",
      "pthread.h", "spawn.h",   "signal.h", "termios.h", "dlfcn.h",  "png.h",
      "jpeglib.h", "gif_lib.h", "tiff",     "Q",         "netinet/", "arpa/"};
  return std::any_of(kPrefixes.begin(), kPrefixes.end(),
                     [&](std::string_view p) { return StartsWith(h, p); });
}

}  // namespace

std::string AreaOf(std::string_view path) {
  if (StartsWith(path, "kinet/") || StartsWith(path, "lib/include/")) return "kinet";
  if (StartsWith(path, "lib/core/")) return "lib/core";
  if (StartsWith(path, "lib/")) return "lib";
  if (StartsWith(path, "tests/") || StartsWith(path, "bench/")) return "test";
  if (StartsWith(path, "examples/")) return "examples";
  if (StartsWith(path, "compressor/kinetpackw/")) return "compressor/kinetpackw";
  for (std::string_view top : {"tools/", "soundtools/", "graphics/"})
    if (StartsWith(path, top)) return std::string(FirstTwoComponents(path));
  for (std::string_view top : {"platform", "toolkit", "compressor", "scriptplayer", "frontend"})
    if (StartsWith(path, top) && path.size() > top.size() && path[top.size()] == '/')
      return std::string(top);
  return "";
}

std::string QuotedIncludeFault(std::string_view file, std::string_view header) {
  const std::string from = AreaOf(file), to = AreaOf(header);
  if (to.empty())
    return "includes \"" + std::string(header) +
           "\", which is not written from the repository root";
  // Inside the script player the engine knows no command family: families reach the engine,
  // and the engine reaches them only through the command table it declares.
  if (StartsWith(file, "scriptplayer/engine/") && StartsWith(header, "scriptplayer/commands/"))
    return "includes \"" + std::string(header) +
           "\": the script engine may not use a command family";
  if (from == "test" || from == to) return "";
  if (to == "test") return "includes test code \"" + std::string(header) + "\"";
  const auto allowed = Allowed(from);
  if (std::find(allowed.begin(), allowed.end(), to) != allowed.end()) return "";
  if (IsProgramArea(from) && IsProgramArea(to))
    return "includes \"" + std::string(header) + "\" of another program (sideways)";
  return "includes \"" + std::string(header) + "\": " + from + " may not use " + to;
}

std::string SystemIncludeFault(std::string_view file, std::string_view header) {
  const std::string from = AreaOf(file);
  if (from == "platform" || from == "test" || from == "examples" || from.empty()) return "";
  // The desktop is a Qt program, and its built-in file commands (dir, copy, attr ...) work on
  // the disk itself.
  if (from == "frontend" && (StartsWith(header, "Q") || IsFileAccessHeader(header))) return "";
  if (!IsSystemServiceHeader(header)) return "";
  return "includes <" + std::string(header) + ">: system services belong to platform/";
}

std::vector<std::string> IncludeFaults(std::string_view file, std::string_view text) {
  std::vector<std::string> faults;
  size_t line_start = 0;
  for (int line = 1; line_start < text.size(); ++line) {
    size_t end = text.find('\n', line_start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view s = text.substr(line_start, end - line_start);
    line_start = end + 1;
    SkipBlanks(s);
    if (!StartsWith(s, "#")) continue;
    s.remove_prefix(1);
    SkipBlanks(s);
    if (!StartsWith(s, "include")) continue;
    s.remove_prefix(7);
    SkipBlanks(s);
    if (s.size() < 2) continue;
    const char close = s[0] == '"' ? '"' : s[0] == '<' ? '>' : 0;
    const size_t stop = close ? s.find(close, 1) : std::string_view::npos;
    if (stop == std::string_view::npos) continue;
    const std::string_view header = s.substr(1, stop - 1);
    const std::string fault =
        close == '"' ? QuotedIncludeFault(file, header) : SystemIncludeFault(file, header);
    if (!fault.empty())
      faults.push_back(std::string(file) + ":" + std::to_string(line) + ": " + fault);
  }
  return faults;
}

}  // namespace kinet::layers
