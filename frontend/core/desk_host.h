// What the command runner needs from the window around it: questions, error boxes, the
// windows that built-in commands open, and the batch player. Tests give a recording host.
#pragma once

#include <cstdint>
#include <string>

namespace kinet::desk {

enum class Answer { kYes, kNo, kCancel };

class DeskHost {
 public:
  virtual ~DeskHost() = default;
  // A Yes/No/Cancel question.
  virtual Answer Ask(const std::string& question) = 0;
  // An error box; the runner only asks for one when the command page is not in front.
  virtual void ShowError(const std::string& text) = 0;
  virtual bool CommandPageInFront() = 0;
  // True while Shift is held: the command then only echoes.
  virtual bool ShiftHeld() = 0;
  // Progress of a copy; false when the user cancelled it.
  virtual bool CopyProgress(uint64_t done, uint64_t total) = 0;
  // The history grew in the middle of a long command (a listing): a chance to show it.
  virtual void HistoryFlush() = 0;

  virtual void OpenTextEditor(const std::string& file) = 0;
  virtual void OpenListEditor(const std::string& file) = 0;
  virtual void OpenAnalysis(const std::string& file) = 0;
  virtual void OpenHelp() = 0;
  virtual void FindFiles(const std::string& pattern) = 0;
  virtual void CloseMainWindow() = 0;
  // Runs a batch file; the runner has echoed the command. `parameters` are its %1..%9.
  virtual void RunBatch(const std::string& file, const std::string& parameters) = 0;
};

}  // namespace kinet::desk
