// Time, random numbers, the environment, other programs and facts about the system. Handlers read
// their parameters through the interpreter (argument forms and errors as in
// scriptplayer/engine/interpreter.h).
#pragma once

#include <cstdint>

#include "scriptplayer/engine/family_state.h"

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

// Random numbers of the runtime's kind, 0 to 32,767, seeded from the clock when the family is
// first used and by RANDOMIZE.
class RandomState : public FamilyState {
 public:
  explicit RandomState(Interpreter& in);
  void Seed(uint32_t seed) { state_ = seed; }
  int32_t Next();

 private:
  uint32_t state_;
};

void Delay(Interpreter& in);
void DelayUntil(Interpreter& in);
void EnvGet(Interpreter& in);
void EnvSet(Interpreter& in);
void Execute(Interpreter& in);
void Random(Interpreter& in);
void Randomize(Interpreter& in);
void SystemCommandLine(Interpreter& in);
void SystemCurrentExe(Interpreter& in);
void SystemCurrentScript(Interpreter& in);
void SystemDateTime(Interpreter& in);
void SystemMemory(Interpreter& in);
void SystemOsMajor(Interpreter& in);
void SystemOsMinor(Interpreter& in);
void SystemPlatform(Interpreter& in);
void SystemTimer(Interpreter& in);

}  // namespace kinet::script::cmd
