// How every option page names its files: names on the command line relative to the input's
// directory and quoted when they hold a blank, a picked file that belongs to a numbered
// sequence, and the output name proposed for an input and an output type.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinet::desk {

constexpr std::string_view kManySelectedQuestion =
    "You have highlighted more than one file to process.\r\nDo you want to create a list file?";
constexpr std::string_view kManySelectedRefusal =
    "You must create a list file to process multiple selections.\r\nTo process a single file, "
    "then just highlight that one file by itself.";

// The palette field's text that means "no palette file".
constexpr std::string_view kPaletteFromInput = "The input file.";

// "The list file, <name>, has been created and is highlighted. ..."
std::string ListFileCreatedText(const std::string& name);

// `path` relative to `directory` when it lies there (directly or below), else unchanged.
std::string RelativeName(const std::string& path, const std::string& directory);

// `path` as the command line gives it: relative to `directory` when it lies there (directly
// or below), in double quotes when it contains a blank.
std::string CommandName(const std::string& path, const std::string& directory);

// The names a page's command line starts with, joined with one blank, relative to the first
// one's directory.
std::string CommandNames(const std::vector<std::string>& paths);

// The name of a path without its directory.
std::string BaseName(const std::string& path);
// `name` with `extension` (".knt") added when its file name has none.
std::string WithDefaultExtension(const std::string& name, const std::string& extension);

// The directory of a path ("" for a bare name), without a trailing '/'.
std::string DirectoryOf(const std::string& path);

// A file of a numbered sequence: its first run of digits is the frame number.
struct Sequence {
  std::string input;     // "walk???.bmp*1-12": the numbered-series form of the tools
  int first = 0, last = 0;
  std::string question;  // "This file appears to be part of a sequence of files (...)..."
};

// The sequence `file` (a bare name) belongs to among `listed` (the names of the file list),
// followed down and up from its number as far as neighbours exist. Nothing when the name has
// no digits or no neighbour is listed.
std::optional<Sequence> FindSequence(const std::string& file, const std::vector<std::string>& listed);

// `name` with its first run of digits removed: the output of a whole sequence.
std::string WithoutFrameNumber(const std::string& name);

// The output once the sequence `file` (a full path) belongs to is chosen: an output derived
// from the file (its name with any extension, "New_" in front or not) loses the frame number;
// one the user named stays. "New_" goes in front when the result would be the file itself.
std::string SequenceOutput(const std::string& output, const std::string& file);

// The path of a name shown in an output field: bare names lie in `input_dir`.
std::string OutputPath(const std::string& shown, const std::string& input_dir);

// The output proposed for `input` (a full path) with `extension` ("knt", "flc", ...): the
// input's name with that extension, in `previous_output`'s directory when the user had moved
// the output away from the directory of the file it was based on (`previous_based_on`), else in
// the input's directory; "New_" in front when it would be the input itself. Shown as the bare
// name when it lies in the input's directory.
std::string ProposeOutput(const std::string& input, const std::string& extension,
                          const std::string& previous_output = "",
                          const std::string& previous_based_on = "");

}  // namespace kinet::desk
