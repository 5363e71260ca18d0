// A status face for whole runs inside a test: it records what the tool shows and, when told,
// has the user cancel (a close request nobody can be asked about) at a given look.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/status_window/status_face.h"
#include "toolkit/status_frame.h"

namespace kinet::testing {

struct FaceRecord {
  std::vector<std::string> lines;  // "status <text>", "error <text>", "info <text>", "ask <q>"
  int cancel_at_pump = 0;          // the Pump call (counted from 1) that cancels; 0 never
  int pumps = 0;
};

class CancellingFace : public platform::StatusFace {
 public:
  explicit CancellingFace(FaceRecord& record) : r_(record) {}
  void SetStatus(std::string_view text) override;
  void ShowMessage(platform::MessageIcon icon, std::string_view title,
                   std::string_view text) override;
  // Answers with the default.
  bool AskYesNo(std::string_view title, std::string_view question, bool default_no) override;
  platform::FaceEvents Pump() override;
  platform::FaceEvents Wait(int) override { return Pump(); }
  void SetButtonDone() override {}
  bool CanWaitForDone() const override { return false; }
  void Close() override {}

 private:
  FaceRecord& r_;
};

// A frame titled `caption` on a CancellingFace writing into `record`.
std::unique_ptr<toolkit::StatusFrame> RecordingFrame(const std::string& caption,
                                                     FaceRecord& record);

}  // namespace kinet::testing
