// Time, random numbers, the environment, other programs and facts about the system.
#include "scriptplayer/commands/system.h"

#include <algorithm>
#include <ctime>
#include <limits>

#include "scriptplayer/engine/interpreter.h"

namespace kinet::script::cmd {
namespace {

constexpr size_t kLongestDateTime = 767;

void StoreText(Interpreter& in, std::string_view text) { in.SetVariable(in.ArgName(), text); }

}  // namespace

RandomState::RandomState(Interpreter& in) : state_(in.host().clock().NowMs()) {}

int32_t RandomState::Next() {
  state_ = state_ * 214013u + 2531011u;
  return static_cast<int32_t>((state_ >> 16) & 0x7FFF);
}

// The clock wraps after 2^32 ms; as a script number it is the same bits read as signed, so
// sums like "time + 1000" keep working across the wrap.
void SystemTimer(Interpreter& in) {
  in.SetNumber(in.ArgName(), static_cast<int32_t>(in.host().clock().NowMs()));
}

void Delay(Interpreter& in) {
  uint32_t ms = static_cast<uint32_t>(in.ArgNumber());
  in.WaitUntil(in.host().clock().NowMs() + ms);
}

void DelayUntil(Interpreter& in) { in.WaitUntil(static_cast<uint32_t>(in.ArgNumber())); }

void Random(Interpreter& in) {
  std::string name = in.ArgName();
  int64_t max = in.ArgNumber();
  int64_t value = int64_t{in.State<RandomState>().Next()} * (max + 1) / 32767;
  in.SetNumber(name, std::min(value, max));
}

void Randomize(Interpreter& in) {
  in.State<RandomState>().Seed(static_cast<uint32_t>(in.ArgNumber()));
}

// '^' stands for '%', since a quoted '%' would start a variable reference.
void SystemDateTime(Interpreter& in) {
  std::string name = in.ArgName();
  std::string format = in.ArgText();
  std::replace(format.begin(), format.end(), '^', '%');
  std::tm local = in.host().clock().LocalTime();
  char out[kLongestDateTime + 1];
  size_t length = format.empty() ? 0 : std::strftime(out, sizeof(out), format.c_str(), &local);
  in.SetVariable(name, std::string_view(out, length));
}

void SystemCommandLine(Interpreter& in) { StoreText(in, in.services().command_line); }
void SystemCurrentExe(Interpreter& in) { StoreText(in, in.host().system().executable_path); }
void SystemCurrentScript(Interpreter& in) {
  std::string name = in.ArgName();
  std::string file = in.current_file();
  in.SetVariable(name, file.empty() ? "" : in.host().files().FullPath(file));
}

// The true platform's name ("Linux"): scripts that ask want to know what they run on, for
// paths, programs to start and printing.
void SystemPlatform(Interpreter& in) { StoreText(in, in.host().system().platform); }
void SystemOsMajor(Interpreter& in) { in.SetNumber(in.ArgName(), in.host().system().os_major); }
void SystemOsMinor(Interpreter& in) { in.SetNumber(in.ArgName(), in.host().system().os_minor); }

// Free physical memory in bytes, held at the largest script number.
void SystemMemory(Interpreter& in) {
  int64_t bytes = in.host().system().available_memory;
  in.SetNumber(in.ArgName(), std::clamp<int64_t>(bytes, 0, std::numeric_limits<int32_t>::max()));
}

void EnvGet(Interpreter& in) {
  std::string name = in.ArgName();
  std::string variable = in.ArgNonEmptyText();
  in.SetVariable(name, in.host().environment().Get(variable).value_or(""));
}

void EnvSet(Interpreter& in) {
  std::string variable = in.ArgNonEmptyText();
  std::string value = in.ArgText();
  (void)in.host().environment().Set(variable, value);
}

// Stores the new process id (above 31), 2 when the program was not found, 0 on other failures.
void Execute(Interpreter& in) {
  std::string name = in.ArgName();
  std::string command = in.ArgNonEmptyText();
  in.SetNumber(name, in.host().programs().Start(command));
}

}  // namespace kinet::script::cmd
