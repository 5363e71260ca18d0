// A desk host for tests: answers questions from a queue and records what it was asked to do,
// and a private folder per test that becomes the command directory.
#pragma once

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "frontend/core/desk_host.h"

namespace kinet::desk::testing {

class RecordingHost : public DeskHost {
 public:
  Answer Ask(const std::string& question) override {
    questions.push_back(question);
    if (answers.empty()) return Answer::kYes;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  bool CommandPageInFront() override { return command_page_in_front; }
  bool ShiftHeld() override { return shift; }
  bool CopyProgress(uint64_t, uint64_t) override { return --copy_chunks_left != 0; }
  void HistoryFlush() override { ++flushes; }
  void OpenTextEditor(const std::string& f) override { opened.push_back("edit " + f); }
  void OpenListEditor(const std::string& f) override { opened.push_back("listedit " + f); }
  void OpenAnalysis(const std::string& f) override { opened.push_back("knttune " + f); }
  void OpenHelp() override { opened.push_back("help"); }
  void FindFiles(const std::string& p) override { opened.push_back("find " + p); }
  void CloseMainWindow() override { opened.push_back("close"); }
  void RunBatch(const std::string& f, const std::string& p) override {
    opened.push_back("batch " + f + " [" + p + "]");
  }

  std::deque<Answer> answers;
  std::vector<std::string> questions, errors, opened;
  bool command_page_in_front = true, shift = false;
  int copy_chunks_left = -1;  // cancel the copy at this chunk; negative never
  int flushes = 0;
};

// A fresh, empty folder under the system's temporary directory, removed at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace kinet::desk::testing
