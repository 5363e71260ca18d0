#include "frontend/core/page_names.h"

#include <algorithm>
#include <cctype>

namespace kinet::desk {
namespace {

std::string StemOf(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string Joined(const std::string& directory, const std::string& name) {
  return directory.empty() ? name : directory + "/" + name;
}

// The first run of digits of a name: where it starts and how long it is (0 when none).
std::pair<size_t, size_t> FrameDigits(const std::string& name) {
  const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  const auto begin = std::find_if(name.begin(), name.end(), digit);
  const auto end = std::find_if_not(begin, name.end(), digit);
  return {static_cast<size_t>(begin - name.begin()), static_cast<size_t>(end - begin)};
}

}  // namespace

std::string BaseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string WithDefaultExtension(const std::string& name, const std::string& extension) {
  return BaseName(name).find('.') == std::string::npos ? name + extension : name;
}

std::string ListFileCreatedText(const std::string& name) {
  return "The list file, " + name + ", has been created and is highlighted.\r\n" +
         "You may now use it to process your multiple selections.";
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string RelativeName(const std::string& path, const std::string& directory) {
  const std::string prefix = directory == "/" ? "/" : directory + "/";
  if (!directory.empty() && path.size() > prefix.size() && path.starts_with(prefix))
    return path.substr(prefix.size());
  return path;
}

std::string CommandName(const std::string& path, const std::string& directory) {
  const std::string name = RelativeName(path, directory);
  return name.find(' ') == std::string::npos ? name : "\"" + name + "\"";
}

std::string CommandNames(const std::vector<std::string>& paths) {
  std::string line;
  const std::string directory = paths.empty() ? "" : DirectoryOf(paths.front());
  for (const std::string& path : paths) line += (line.empty() ? "" : " ") + CommandName(path, directory);
  return line;
}

std::optional<Sequence> FindSequence(const std::string& file, const std::vector<std::string>& listed) {
  const auto [at, width] = FrameDigits(file);
  if (width == 0 || width > 9) return std::nullopt;
  const bool padded = width > 1 && file[at] == '0';
  const std::string before = file.substr(0, at), after = file.substr(at + width);
  const auto name_of = [&](int number) {
    std::string digits = std::to_string(number);
    if (padded && digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return before + digits + after;
  };
  const auto listed_has = [&](int number) {
    return number >= 0 && std::find(listed.begin(), listed.end(), name_of(number)) != listed.end();
  };
  const int number = std::stoi(file.substr(at, width));
  Sequence s{"", number, number, ""};
  while (listed_has(s.first - 1)) --s.first;
  while (s.last < 999999999 && listed_has(s.last + 1)) ++s.last;
  if (s.first == s.last) return std::nullopt;
  s.input = before + std::string(width, '?') + after + "*" + std::to_string(s.first) + "-" +
            std::to_string(s.last);
  s.question = "This file appears to be part of a sequence of files (" + name_of(s.first) +
               " to " + name_of(s.last) +
               ").\r\nDo you want to treat the sequence as a single animation?";
  return s;
}

std::string WithoutFrameNumber(const std::string& name) {
  const std::string base = BaseName(name);
  const auto [at, width] = FrameDigits(base);
  return Joined(DirectoryOf(name), base.substr(0, at) + base.substr(at + width));
}

std::string SequenceOutput(const std::string& output, const std::string& file) {
  const std::string name = BaseName(output), stem = StemOf(BaseName(file));
  const std::string output_stem = StemOf(name);
  if (output_stem != stem && output_stem != "New_" + stem && output_stem != "new_" + stem)
    return output;
  const std::string extension = name.substr(output_stem.size());
  std::string result = Joined(DirectoryOf(output), WithoutFrameNumber(stem) + extension);
  if (result == file || BaseName(result) == BaseName(file))
    result = Joined(DirectoryOf(output), "New_" + BaseName(result));
  return result;
}

std::string OutputPath(const std::string& shown, const std::string& input_dir) {
  return shown.empty() || shown.starts_with("/") ? shown : Joined(input_dir, shown);
}

std::string ProposeOutput(const std::string& input, const std::string& extension,
                          const std::string& previous_output,
                          const std::string& previous_based_on) {
  const std::string input_dir = DirectoryOf(input);
  const std::string moved_to = DirectoryOf(previous_output);
  const bool moved = !previous_output.empty() && moved_to.starts_with("/") &&
                     moved_to != DirectoryOf(previous_based_on);
  const std::string directory = moved ? moved_to : input_dir;
  std::string name = StemOf(BaseName(input)) + "." + extension;
  if (Joined(directory, name) == input) name = "New_" + name;
  return directory == input_dir ? name : Joined(directory, name);
}

}  // namespace kinet::desk
