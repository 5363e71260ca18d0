#include "frontend/core/batch_player.h"

#include <filesystem>
#include <fstream>

#include "frontend/core/command_text.h"

namespace kinet::desk {

bool BatchPlayer::Begin(const std::string& file, const std::string& parameters) {
  saved_parameters_ = runner_.batch_parameters;
  runner_.batch_parameters = parameters;
  begun_ = true;
  runner_.Echo(std::filesystem::path(file).filename().string() +
               (parameters.empty() ? "" : " " + parameters));
  runner_.Prompt();
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error_ = "Error, couldn't load " + file;
    finished_ = true;
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back(line);
  }
  return true;
}

void BatchPlayer::Tick() {
  if (finished_) return;
  if (waiting_) CheckAwaitedTool();
  while (!waiting_ && !finished_) {
    if (cancelled_ || next_ >= lines_.size()) {
      finished_ = true;
      status_.clear();
      break;
    }
    RunLine(lines_[next_++]);
  }
}

void BatchPlayer::RunLine(const std::string& line) {
  // A line of blanks, or one whose parameters are all missing, is skipped.
  if (ExpandBatchParameters(line, runner_.batch_parameters).empty()) return;
  status_ = "Current ==> " + line;
  runner_.batch_running = true;
  const RunOutcome outcome = runner_.Run("", line);
  runner_.batch_running = false;
  if (!outcome.known_tool) return;
  waiting_ = true;
  awaited_pid_ = outcome.pid;
  awaited_tool_ = outcome.tool;
  ended_.reset();
}

// A tool sends its report before it exits, so a report is already on its way when the end is
// seen; only when the next tick still has none did the tool end without one.
void BatchPlayer::CheckAwaitedTool() {
  if (cancelled_) {
    waiting_ = false;
    return;
  }
  if (!ended_) {
    ended_ = starter_.Finished(awaited_pid_);
    return;
  }
  const std::string how = ended_->signalled ? "ended by signal " + std::to_string(ended_->code)
                                            : "exit status " + std::to_string(ended_->code);
  runner_.WriteResult("  " + awaited_tool_ + " ended without a completion report (" + how + ").");
  runner_.Prompt();
  waiting_ = false;
}

void BatchPlayer::Finish() {
  if (!begun_) return;
  runner_.batch_parameters = saved_parameters_;
  runner_.batch_running = false;
  begun_ = false;
  finished_ = true;
}

}  // namespace kinet::desk
