// Running files: loading them into records, the execution loop and pending texts.
#include "scriptplayer/engine/interpreter.h"

#include "scriptplayer/engine/command_table.h"
#include "scriptplayer/engine/integer_text.h"
#include "scriptplayer/engine/messages.h"

namespace kinet::script {
namespace {

// Thrown by Fail() and caught only by Interpreter::Run.
struct ScriptAbort {};
struct ScriptInterrupted {};

// A name has an extension when a '.' comes after its last '/'.
bool HasExtension(const std::string& name) {
  for (size_t i = name.size(); i > 0; --i) {
    if (name[i - 1] == '.') return true;
    if (name[i - 1] == '/') return false;
  }
  return false;
}

// Splits "WORD rest": the word ends at the first blank; the rest loses blanks on both ends.
void SplitCommand(std::string_view text, std::string_view& word, std::string_view& rest) {
  size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  word = text.substr(0, end);
  rest = TrimBlanks(text.substr(end));
}

}  // namespace

struct Interpreter::CompiledFile {
  std::vector<Record> records;
  bool in_text_block = false;  // the lines are text up to a line TEXTEND
};

size_t detail::NextFamilyId() {
  static size_t count = 0;
  return count++;
}

Interpreter::Interpreter(Services services) : services_(std::move(services)) {}

Interpreter::~Interpreter() = default;

RunOutcome Interpreter::Run(const std::string& name) {
  RunOutcome outcome;
  // An error abandons every running file where it happened; start from a clean slate.
  indent_.clear();
  current_file_.clear();
  labels_.Truncate(0);
  labels_.set_base(0);
  return_depth_ = file_base_depth_ = 0;
  compiled_ = nullptr;
  position_ = 0;
  file_depth_ = 0;
  state_ = RunState::kContinue;
  try {
    if (!RunFile(name, nullptr)) outcome.kind = RunOutcome::kNotOpened;
  } catch (const ScriptAbort&) {
    outcome.kind = RunOutcome::kError;
    outcome.error_text = error_text_;
  } catch (const ScriptInterrupted&) {
    outcome.kind = RunOutcome::kInterrupted;
  }
  debug_handle_ = 0;
  for (const auto& state : states_) {
    if (state) state->RunEnded();
  }
  files_.CloseAll();
  return outcome;
}

bool Interpreter::RunFile(const std::string& raw_name, const std::string* start_label) {
  std::string name = HasExtension(raw_name) ? raw_name : raw_name + ".ss";
  int32_t handle = OpenFile(name, platform::OpenMode::kRead);
  if (handle == 0) return false;
  if (return_depth_ >= kReturnStackSize) {
    files_.Close(handle);
    Fail(msg::kTooManyGosubs, "", "\r\n");
  }
  Indent();
  current_file_ = name;
  size_t saved_label_base = labels_.base();
  size_t saved_file_base = file_base_depth_;
  size_t saved_position = position_;
  const CompiledFile* saved_compiled = compiled_;
  labels_.set_base(labels_.count());
  ++file_depth_;

  CompiledFile compiled;
  Compile(*files_.Get(handle), compiled);
  files_.Close(handle);
  compiled_ = &compiled;
  position_ = 0;
  file_base_depth_ = return_depth_;
  return_stack_[return_depth_++] = compiled.records.size();
  if (start_label) Jump(*start_label);
  ExecuteLoop();

  --file_depth_;
  labels_.Truncate(labels_.base());
  labels_.set_base(saved_label_base);
  return_depth_ = file_base_depth_;
  file_base_depth_ = saved_file_base;
  position_ = saved_position;
  compiled_ = saved_compiled;
  if (tracing()) Trace("\r\n");
  Outdent();
  return true;
}

void Interpreter::Compile(ScriptFile& file, CompiledFile& compiled) {
  std::string text;
  line_number_ = 1;
  while (file.ReadLine(kMaxLineBytes, text)) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    CompileLine(text, compiled);
    Pump();
    ++line_number_;
  }
}

void Interpreter::CompileLine(std::string_view text, CompiledFile& compiled) {
  if (compiled.in_text_block) {
    std::string_view word, rest;
    SplitCommand(TrimBlanks(text), word, rest);
    bool end = ToUpper(word) == "TEXTEND";
    compiled.records.push_back(
        {line_number_, end ? kTextEndRecord : kTextLineRecord, end ? "" : std::string(text)});
    compiled.in_text_block = !end;
    return;
  }
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  if (text.empty() || text[0] == '#') return;
  if (text[0] == ':') {
    std::string label = ToUpper(TrimBlanks(text.substr(0, text.find('#'))));
    if (!labels_.Add(label.substr(1), compiled.records.size()))
      Fail(msg::kTooManyLabels, "", "\r\n");
    return;
  }
  std::string_view word, rest;
  SplitCommand(text, word, rest);
  std::string upper = ToUpper(word);
  int index = FindCommand(upper);
  if (index < 0) {
    line_ = upper + " " + std::string(rest);
    FailCommand(msg::kBadCommand);
  }
  compiled.records.push_back({line_number_, static_cast<uint8_t>(index), std::string(rest)});
  compiled.in_text_block = OpensTextBlock(index);
}

void Interpreter::Pump() {
  host().Pump();
  if (services_.interrupted && services_.interrupted()) throw ScriptInterrupted{};
}

void Interpreter::ExecuteLoop() {
  while (position_ < compiled_->records.size() && state_ != RunState::kEndAll) {
    const Record& record = compiled_->records[position_++];
    if (record.command >= kCommandCount) continue;  // text of a block reached by a jump
    line_number_ = record.line;
    params_ = record.parameters;
    cursor_ = 0;
    line_.assign(CommandName(record.command));
    line_ += ' ';
    line_ += params_;
    if (tracing()) TraceHead("");
    ++steps_;
    RunCommand(record.command);
    if (!AfterCommand()) break;
  }
}

void Interpreter::RunCommand(int index) {
  if (LeavesImageAlone(index)) return CommandHandler(index)(*this);
  host().CommandStarts();
  CommandHandler(index)(*this);
  host().CommandEnded();
}

// Steps 4 to 7 of the loop for the command that just ran; false when the file is left.
bool Interpreter::AfterCommand() {
  for (;;) {
    if (tracing()) Trace("\r\n");
    Pump();
    if (services_.step_limit && steps_ >= services_.step_limit) state_ = RunState::kEndAll;
    switch (state_) {
      case RunState::kPending:
        state_ = RunState::kContinue;
        if (!RunPending()) return true;
        continue;
      case RunState::kLeaveFile:
        state_ = RunState::kContinue;
        return false;
      case RunState::kEndAll:
        return false;
      case RunState::kContinue:
        break;
    }
    std::string_view rest = remaining();
    if (!rest.empty() && rest[0] == ';') {
      line_.assign(TrimBlanks(rest.substr(1)));
      if (!RunPending()) return true;
      continue;
    }
    if (rest.empty() || rest[0] == '#') return true;
    FailCommand(msg::kBadCommand);
  }
}

// Runs the pending text in the line buffer as a command; false when there is none.
bool Interpreter::RunPending() {
  if (line_.empty() || line_[0] == '#') return false;
  std::string_view word, rest;
  SplitCommand(line_, word, rest);
  int index = FindCommand(ToUpper(word));
  if (index < 0) FailCommand(msg::kBadCommand);
  params_.assign(rest);
  cursor_ = 0;
  if (tracing()) TraceHead(" -> ");
  ++steps_;
  RunCommand(index);
  return true;
}

bool Interpreter::NextTextLine(std::string& text) {
  if (position_ >= compiled_->records.size()) {
    state_ = RunState::kLeaveFile;
    return false;
  }
  const Record& record = compiled_->records[position_];
  if (record.command != kTextLineRecord) {
    if (record.command == kTextEndRecord) ++position_;
    return false;
  }
  ++position_;
  text = record.parameters;
  return true;
}

void Interpreter::SetPending(std::string text) {
  line_ = std::move(text);
  DiscardParameters();
  state_ = RunState::kPending;
}

Interpreter::CommandRegisters Interpreter::SaveRegisters() const {
  return {params_, line_, current_file_, cursor_, line_number_};
}

void Interpreter::RestoreRegisters(CommandRegisters saved) {
  params_ = std::move(saved.params);
  line_ = std::move(saved.line);
  current_file_ = std::move(saved.file);
  cursor_ = saved.cursor;
  line_number_ = saved.line_number;
}

void Interpreter::Fail(std::string_view message, std::string_view detail, std::string_view extra) {
  std::string where(extra);
  if (file_depth_ > 0) {
    where += "  In script file: " + current_file_ +
             "  At line number: " + std::to_string(line_number_) + ".\r\n";
  }
  if (tracing()) {
    Trace("\r\n");
    Trace(message);
    Trace(detail);
    Trace(where);
    Trace("\r\n");
    FlushTrace();
  }
  std::string_view shown = message;
  if (!shown.empty() && shown[0] == ' ') shown.remove_prefix(1);
  error_text_ = std::string(shown) + std::string(detail) + where;
  throw ScriptAbort{};
}

}  // namespace kinet::script
