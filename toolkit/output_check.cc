#include "toolkit/output_check.h"

#include "platform/files/output_file.h"

namespace kinet::toolkit {

bool NamesAnInput(platform::FileSystem& files, const std::string& output,
                  std::initializer_list<std::string> inputs) {
  const std::string full = files.FullPath(output);
  for (const std::string& input : inputs)
    if (full == files.FullPath(input) || platform::SameFile(files, output, input)) return true;
  return false;
}

bool MayWriteOutput(StatusFrame& frame, platform::FileSystem& files, const std::string& output,
                    std::initializer_list<std::string> inputs, bool overwrite) {
  if (NamesAnInput(files, output, inputs)) {
    frame.ShowError(kOutputIsInput);
  } else if (overwrite || frame.AskOverwrite(files, output)) {
    return true;
  }
  frame.SetError();
  return false;
}

}  // namespace kinet::toolkit
