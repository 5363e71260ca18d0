// The direction of dependencies between the areas of the source tree, as a rule over
// #include lines: platform <- lib <- toolkit <- compressor <- the programs (kinetpackw, the
// tools, the sound tools, the graphics processor), with the script player over toolkit and
// the front-end over platform alone. Tests and benchmarks may use every area.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kinet::layers {

// The area of a source file or of an include path, both written from the repository root
// (public headers as "kinet/..."): "platform", "lib/core", "lib", "toolkit", "compressor",
// "scriptplayer", "frontend", "test", "kinet" (the public headers), a program's folder
// ("tools/kinetplayw", "compressor/kinetpackw", ...), or "" for a path outside the tree.
std::string AreaOf(std::string_view path);

// Why `file` may not include `header` (a quoted include path), or "" when it may.
std::string QuotedIncludeFault(std::string_view file, std::string_view header);

// Why `file` may not include the system header `header` (the name inside <>): operating
// system, SDL, image-library and Qt headers belong to platform/ (and Qt to frontend/).
std::string SystemIncludeFault(std::string_view file, std::string_view header);

// Every fault of one file's text, each as "file:line: reason".
std::vector<std::string> IncludeFaults(std::string_view file, std::string_view text);

}  // namespace kinet::layers
