// The language engine: loads and runs script files, holds the variables, labels, return stack,
// file table and debug trace, and gives command handlers their parameters. What a command
// family keeps between commands lives in its own state (State<T>()), and everything outside
// the engine is reached through the player host. One interpreter runs one program; it is
// single-threaded and not re-entrant (script files nest through RunFile).
//
// Errors are fatal to the whole run: Fail() writes the trace, records the error text and
// unwinds to Run(), which reports it in its outcome. Nothing leaves the engine as an exception.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "scriptplayer/engine/family_state.h"
#include "scriptplayer/engine/file_table.h"
#include "scriptplayer/engine/label_table.h"
#include "scriptplayer/engine/tokenizer.h"
#include "scriptplayer/engine/variable_store.h"
#include "scriptplayer/player_host.h"

namespace kinet::script {

// What a run uses: the player host (must be set and outlive the interpreter) and the run's
// settings.
struct Services {
  PlayerHost* host = nullptr;
  std::string command_line;     // what SYSTEMCOMMANDLINE returns
  uint32_t wait_slice_ms = 10;  // longest sleep between two pumps while waiting
  uint64_t step_limit = 0;      // commands to run before ending as END does; 0: no limit
  // True once the run must end (Ctrl-C, a termination request); asked at every pump. May be
  // empty: never.
  std::function<bool()> interrupted;
  size_t bitmap_budget = size_t{512} << 20;
};

enum class RunState : uint8_t {
  kContinue = 0,
  kPending = 1,    // run the pending text in the line buffer next
  kLeaveFile = 2,  // leave the current file
  kEndAll = 3,     // end every file
};

struct RunOutcome {
  enum Kind { kFinished, kNotOpened, kError, kInterrupted };
  Kind kind = kFinished;
  std::string error_text;  // for kError: the error box text (message, detail, location)
};

// One compiled command: its physical line, its index in the command table, its parameters.
struct Record {
  uint32_t line;
  uint8_t command;
  std::string parameters;
};

class Interpreter {
 public:
  static constexpr size_t kReturnStackSize = 64;
  static constexpr size_t kMaxLineBytes = 767;

  explicit Interpreter(Services services);
  ~Interpreter();
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  // Runs `name` as the first file and closes every file afterwards.
  RunOutcome Run(const std::string& name);

  // ---- For command handlers ----

  // Runs a nested file, optionally from a label. False only when the file cannot be opened.
  bool RunFile(const std::string& name, const std::string* start_label);

  // Next token of the parameter text.
  TokenKind Next(std::string& out, bool resolve);
  // What is left of the parameter text.
  std::string_view remaining() const { return std::string_view(params_).substr(cursor_); }
  void DiscardParameters() { cursor_ = params_.size(); }

  // Argument forms; each reports its error and does not return when the form is not met.
  std::string ArgName();          // a variable name
  int32_t ArgNumber();            // a number
  std::string ArgText();          // any resolved token
  std::string ArgNonEmptyText();  // a resolved token that is not empty (file and label names)
  int32_t ArgFileHandle();        // an open file's handle

  [[noreturn]] void Fail(std::string_view message, std::string_view detail, std::string_view extra);
  // The common form: the message, the command text as detail, and a line end.
  [[noreturn]] void FailCommand(std::string_view message);
  // Reports the missing window unless it exists.
  void RequireWindow();

  std::string_view GetVariable(std::string_view name) const { return variables_.Get(name); }
  void SetVariable(std::string_view name, std::string_view value);
  void SetNumber(std::string_view name, int64_t value);

  // Jumps to a label of the running file ("  Label not found:" otherwise).
  void Jump(const std::string& label);
  // Position of a label of the running file, or -1.
  long FindLabel(const std::string& label) const;
  // GOSUB and RETURN on the return stack.
  void Gosub(const std::string& label);
  void Return();

  // The next text line of the block the running command opened (TEXTBEGIN); false at the
  // block's end, which it passes. A file that ends inside the block is left.
  bool NextTextLine(std::string& text);

  // The line buffer becomes the pending text and runs right after this command.
  void SetPending(std::string text);
  void set_state(RunState state) { state_ = state; }
  const std::string& line() const { return line_; }
  uint32_t line_number() const { return line_number_; }
  const std::string& current_file() const { return current_file_; }

  // Debug trace.
  bool tracing() const { return debug_handle_ != 0; }
  void Trace(std::string_view text);
  void OpenDebugFile(const std::string& name);  // closes the previous one first
  void CloseDebugFile();
  void FlushTrace();
  // Writes listing lines to the debug file, or draws them when it is closed; needs the window.
  void List(const std::vector<std::string>& lines);

  // Waits, pumping, until the clock reaches `deadline` (compared with wrap-around).
  void WaitUntil(uint32_t deadline);

  // Opens a file in the file table; returns the handle or 0.
  int32_t OpenFile(const std::string& name, platform::OpenMode mode);
  // Closes a file of the table. The debug and print files live there too: closing one of them
  // by its handle stops that output, so a later file in the same slot never receives it.
  void CloseFile(int32_t handle);

  VariableStore& variables() { return variables_; }
  FileTable& files() { return files_; }
  const Services& services() const { return services_; }
  PlayerHost& host() { return *services_.host; }
  // The host's pump, then the run's interruption: an interrupted run ends here, every file
  // left as END leaves them (Run gives RunOutcome::kInterrupted). Every wait pumps this way.
  void Pump();

  // The state of a command family, made on first use (from the interpreter when T takes one).
  template <typename T>
  T& State() {
    static_assert(std::is_base_of_v<FamilyState, T>);
    size_t id = detail::FamilyId<T>();
    if (id >= states_.size()) states_.resize(id + 1);
    if (!states_[id]) {
      if constexpr (std::is_constructible_v<T, Interpreter&>) {
        states_[id] = std::make_unique<T>(*this);
      } else {
        states_[id] = std::make_unique<T>();
      }
    }
    return static_cast<T&>(*states_[id]);
  }

  // Saves and restores the command's own registers around a nested file run, so that the
  // caller's remaining parameters and messages survive it.
  struct CommandRegisters {
    std::string params, line, file;
    size_t cursor;
    uint32_t line_number;
  };
  CommandRegisters SaveRegisters() const;
  void RestoreRegisters(CommandRegisters saved);

 private:
  // The records of one loaded file.
  struct CompiledFile;
  void Compile(ScriptFile& file, CompiledFile& compiled);
  void CompileLine(std::string_view text, CompiledFile& compiled);
  void ExecuteLoop();
  void RunCommand(int index);
  bool AfterCommand();
  bool RunPending();
  void TraceHead(std::string_view prefix);
  void Indent() { indent_ += "  "; }
  void Outdent();

  Services services_;
  VariableStore variables_;
  LabelTable labels_;
  FileTable files_;
  std::vector<std::unique_ptr<FamilyState>> states_;

  std::array<size_t, kReturnStackSize> return_stack_{};
  size_t return_depth_ = 0;
  size_t file_base_depth_ = 0;  // depth below the running file's own entry

  const CompiledFile* compiled_ = nullptr;
  size_t position_ = 0;
  int file_depth_ = 0;  // files being loaded or run

  std::string current_file_;
  uint32_t line_number_ = 0;
  std::string line_;
  std::string params_;
  size_t cursor_ = 0;
  RunState state_ = RunState::kContinue;
  std::string indent_;
  int32_t debug_handle_ = 0;
  uint64_t steps_ = 0;
  std::string error_text_;
};

}  // namespace kinet::script
