// The output-file chooser's decision on OK, without widgets: the name line resolved against
// the chosen directory, and whether that file may be written.
#pragma once

#include <string>

namespace kinet::desk {

enum class OutputMode {
  kAskOverwrite = 0,   // an existing normal file is taken after "Overwrite <name> ?"
  kMustNotExist = 1,   // an existing file is refused
  kAcceptExisting = 2  // an existing file is taken as it is (rename, move)
};

struct OutputChoice {
  enum class Verdict { kAccept, kRefuse, kAskOverwrite } verdict = Verdict::kRefuse;
  std::string path;     // the resolved name
  std::string message;  // the error, or the question to ask
};

// `dir` is the directory chosen in the lists, `name` the name line, `proposed` the name the
// caller proposed. A name that is an existing directory means the proposed name inside it; a
// name without extension takes the proposed name's extension.
OutputChoice ChooseOutput(const std::string& dir, const std::string& name,
                          const std::string& proposed, OutputMode mode);

}  // namespace kinet::desk
