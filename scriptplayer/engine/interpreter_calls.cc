// The interpreter's calls for command handlers: arguments, variables, jumps, the debug trace,
// files and waiting.
#include "scriptplayer/engine/integer_text.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/engine/messages.h"

namespace kinet::script {

TokenKind Interpreter::Next(std::string& out, bool resolve) {
  std::string_view rest = remaining();
  TokenKind kind = NextToken(rest, resolve, variables_, out);
  cursor_ = params_.size() - rest.size();
  return kind;
}

std::string Interpreter::ArgName() {
  std::string name;
  if (Next(name, false) != TokenKind::kName || name.empty()) FailCommand(msg::kNeedVariable);
  return name;
}

int32_t Interpreter::ArgNumber() {
  std::string text;
  if (Next(text, true) != TokenKind::kNumber) FailCommand(msg::kNeedNumber);
  return ParseInteger(text);
}

std::string Interpreter::ArgText() {
  std::string text;
  if (Next(text, true) == TokenKind::kNone) FailCommand(msg::kNeedParameter);
  return text;
}

std::string Interpreter::ArgNonEmptyText() {
  std::string text = ArgText();
  if (text.empty()) FailCommand(msg::kNeedNonEmpty);
  return text;
}

int32_t Interpreter::ArgFileHandle() {
  int32_t handle = ArgNumber();
  if (!files_.Get(handle)) FailCommand(msg::kBadFile);
  return handle;
}

void Interpreter::FailCommand(std::string_view message) { Fail(message, line_, "\r\n"); }

void Interpreter::RequireWindow() {
  if (!host().WindowExists()) Fail(msg::kNoWindow, "", "");
}

void Interpreter::SetVariable(std::string_view name, std::string_view value) {
  if (tracing()) {
    std::string upper = CleanName(name);
    Trace("  ***" + upper + "=\"" + CleanValue(value) + "\"");
  }
  variables_.Set(name, value);
}

void Interpreter::SetNumber(std::string_view name, int64_t value) {
  SetVariable(name, FormatInteger(value));
}

long Interpreter::FindLabel(const std::string& label) const { return labels_.Find(ToUpper(label)); }

void Interpreter::Jump(const std::string& label) {
  long position = FindLabel(label);
  if (position < 0) Fail(msg::kLabelNotFound, label, "\r\n");
  position_ = static_cast<size_t>(position);
  if (tracing()) Trace("\r\n");
}

void Interpreter::Gosub(const std::string& label) {
  if (return_depth_ >= kReturnStackSize) Fail(msg::kTooManyGosubs, "", "\r\n");
  Indent();
  return_stack_[return_depth_++] = position_;
  Jump(label);
}

void Interpreter::Return() {
  // Entries below the running file's own belong to its callers: with none of its own left,
  // RETURN leaves the file instead of jumping into another file's records.
  if (return_depth_ <= file_base_depth_) {
    state_ = RunState::kLeaveFile;
    return;
  }
  position_ = return_stack_[--return_depth_];
  Outdent();
}

void Interpreter::Outdent() {
  if (indent_.size() >= 2) indent_.resize(indent_.size() - 2);
}

void Interpreter::Trace(std::string_view text) {
  if (ScriptFile* file = files_.Get(debug_handle_)) (void)file->Write(text);
}

void Interpreter::TraceHead(std::string_view prefix) {
  std::string number = std::to_string(line_number_) + ":";
  if (number.size() < 7) number.resize(7, ' ');
  Trace(indent_ + std::string(prefix) + number + line_);
}

void Interpreter::FlushTrace() {
  if (ScriptFile* file = files_.Get(debug_handle_)) (void)file->Flush();
}

void Interpreter::OpenDebugFile(const std::string& name) {
  CloseDebugFile();
  if (!name.empty()) debug_handle_ = OpenFile(name, platform::OpenMode::kCreate);
}

void Interpreter::CloseDebugFile() { CloseFile(debug_handle_); }

void Interpreter::CloseFile(int32_t handle) {
  if (handle == 0) return;
  if (handle == debug_handle_) debug_handle_ = 0;
  for (const auto& state : states_) {
    if (state) state->FileClosed(handle);
  }
  files_.Close(handle);
}

void Interpreter::List(const std::vector<std::string>& lines) {
  RequireWindow();
  for (const std::string& line : lines) {
    if (tracing()) {
      Trace(line + "\r\n");
    } else {
      host().DrawTextLine(line);
    }
  }
}

void Interpreter::WaitUntil(uint32_t deadline) {
  platform::Clock& clock = host().clock();
  for (;;) {
    Pump();
    int32_t left = static_cast<int32_t>(deadline - clock.NowMs());
    if (left <= 0) return;
    clock.SleepMs(std::min(static_cast<uint32_t>(left), services_.wait_slice_ms));
  }
}

int32_t Interpreter::OpenFile(const std::string& name, platform::OpenMode mode) {
  std::unique_ptr<platform::File> file = host().files().Open(name, mode);
  if (!file) return 0;
  return files_.Add(std::make_unique<ScriptFile>(std::move(file), name));
}

}  // namespace kinet::script
