// Time, random numbers, the environment, other programs and facts about the system.
#include <algorithm>
#include <ctime>
#include <limits>

#include "scriptplayer/commands.h"
#include "scriptplayer/interpreter.h"

namespace kinet::script::cmd {
namespace {

constexpr size_t kLongestDateTime = 767;

void StoreText(Interpreter& in, std::string_view text) { in.SetVariable(in.ArgName(), text); }

}  // namespace

// The clock wraps after 2^32 ms; as a script number it is the same bits read as signed, so
// sums like "time + 1000" keep working across the wrap.
void SystemTimer(Interpreter& in) {
  in.SetNumber(in.ArgName(), static_cast<int32_t>(in.services().clock->NowMs()));
}

void Delay(Interpreter& in) {
  uint32_t ms = static_cast<uint32_t>(in.ArgNumber());
  in.WaitUntil(in.services().clock->NowMs() + ms);
}

void DelayUntil(Interpreter& in) { in.WaitUntil(static_cast<uint32_t>(in.ArgNumber())); }

void Random(Interpreter& in) {
  std::string name = in.ArgName();
  int64_t max = in.ArgNumber();
  int64_t value = int64_t{in.NextRandom()} * (max + 1) / 32767;
  in.SetNumber(name, std::min(value, max));
}

void Randomize(Interpreter& in) { in.Seed(static_cast<uint32_t>(in.ArgNumber())); }

// '^' stands for '%', since a quoted '%' would start a variable reference.
void SystemDateTime(Interpreter& in) {
  std::string name = in.ArgName();
  std::string format = in.ArgText();
  std::replace(format.begin(), format.end(), '^', '%');
  std::tm local = in.services().clock->LocalTime();
  char out[kLongestDateTime + 1];
  size_t length = format.empty() ? 0 : std::strftime(out, sizeof(out), format.c_str(), &local);
  in.SetVariable(name, std::string_view(out, length));
}

void SystemCommandLine(Interpreter& in) { StoreText(in, in.services().command_line); }
void SystemCurrentExe(Interpreter& in) { StoreText(in, in.services().system.executable_path); }
void SystemCurrentScript(Interpreter& in) {
  std::string name = in.ArgName();
  std::string file = in.current_file();
  in.SetVariable(name, file.empty() ? "" : in.fs().FullPath(file));
}

// The true platform's name ("Linux"): scripts that ask want to know what they run on, for
// paths, programs to start and printing.
void SystemPlatform(Interpreter& in) { StoreText(in, in.services().system.platform); }
void SystemOsMajor(Interpreter& in) { in.SetNumber(in.ArgName(), in.services().system.os_major); }
void SystemOsMinor(Interpreter& in) { in.SetNumber(in.ArgName(), in.services().system.os_minor); }

// Free physical memory in bytes, held at the largest script number.
void SystemMemory(Interpreter& in) {
  int64_t bytes = in.services().system.available_memory;
  in.SetNumber(in.ArgName(), std::clamp<int64_t>(bytes, 0, std::numeric_limits<int32_t>::max()));
}

void EnvGet(Interpreter& in) {
  std::string name = in.ArgName();
  std::string variable = in.ArgNonEmptyText();
  in.SetVariable(name, in.services().environment->Get(variable).value_or(""));
}

void EnvSet(Interpreter& in) {
  std::string variable = in.ArgNonEmptyText();
  std::string value = in.ArgText();
  (void)in.services().environment->Set(variable, value);
}

// Stores the new process id (above 31), 2 when the program was not found, 0 on other failures.
void Execute(Interpreter& in) {
  std::string name = in.ArgName();
  std::string command = in.ArgNonEmptyText();
  in.SetNumber(name, in.services().programs->Start(command));
}

void NeedsWindow(Interpreter& in) {
  in.RequireWindow();
  in.DiscardParameters();
}

}  // namespace kinet::script::cmd
