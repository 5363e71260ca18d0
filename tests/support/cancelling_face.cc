#include "tests/support/cancelling_face.h"

namespace kinet::testing {

void CancellingFace::SetStatus(std::string_view text) {
  r_.lines.push_back("status " + std::string(text));
}

void CancellingFace::ShowMessage(platform::MessageIcon icon, std::string_view,
                                 std::string_view text) {
  const char* kind = icon == platform::MessageIcon::kError ? "error " : "info ";
  r_.lines.push_back(kind + std::string(text));
}

bool CancellingFace::AskYesNo(std::string_view, std::string_view question, bool default_no) {
  r_.lines.push_back("ask " + std::string(question));
  return !default_no;
}

platform::FaceEvents CancellingFace::Pump() {
  platform::FaceEvents events;
  if (++r_.pumps == r_.cancel_at_pump) {
    events.close_requests = 1;
    events.confirmed = true;
  }
  return events;
}

std::unique_ptr<toolkit::StatusFrame> RecordingFrame(const std::string& caption,
                                                     FaceRecord& record) {
  return std::make_unique<toolkit::StatusFrame>(toolkit::StatusFrame::Options{caption, "test", {}},
                                                nullptr, std::make_unique<CancellingFace>(record));
}

}  // namespace kinet::testing
