#include "toolkit/output_check.h"

namespace kinet::toolkit {

std::string FileFailure(std::string_view text, platform::FileSystem& files,
                        const std::string& path) {
  const std::string reason = files.LastError();
  return std::string(text) + "\r\n" + (reason.empty() ? path : path + ": " + reason);
}

bool NamesAFile(StatusFrame& frame, platform::FileSystem& files, const std::string& output) {
  const std::string base = output.substr(output.rfind('/') + 1);
  if (base.empty() || base == "." || base == ".." || files.DirectoryExists(output)) {
    frame.ShowError(std::string(kOutputIsFolder) + output);
  } else if (base[0] == '.' && base.find('.', 1) == std::string::npos) {
    frame.ShowError(std::string(kOutputHasNoName) + output);
  } else {
    return true;
  }
  frame.SetError();
  return false;
}

bool MayWriteOutput(StatusFrame& frame, RunInputs& inputs, const std::string& output,
                    bool overwrite) {
  if (!NamesAFile(frame, inputs, output)) return false;
  if (inputs.Holds(output)) {
    frame.ShowError(kOutputIsInput);
  } else if (overwrite || frame.AskOverwrite(inputs, output)) {
    return true;
  }
  frame.SetError();
  return false;
}

}  // namespace kinet::toolkit
