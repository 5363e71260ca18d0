#include "toolkit/output_check.h"

namespace kinet::toolkit {

bool MayWriteOutput(StatusFrame& frame, RunInputs& inputs, const std::string& output,
                    bool overwrite) {
  if (inputs.Holds(output)) {
    frame.ShowError(kOutputIsInput);
  } else if (overwrite || frame.AskOverwrite(inputs, output)) {
    return true;
  }
  frame.SetError();
  return false;
}

}  // namespace kinet::toolkit
