// Print output, which TEXT, TEXTNOCR and TEXTBEGIN write while printing. Handlers read their
// parameters through the interpreter (argument forms and errors as in
// scriptplayer/engine/interpreter.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scriptplayer/engine/family_state.h"

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

// PRINTBEGIN: the print file's handle (0 when not printing), and the temporary file that goes
// to the print spooler at PRINTEND ("" when printing to a named file). Closing the print file
// by its handle stops printing, so a later file in the same slot never receives the output.
struct PrintState : FamilyState {
  int32_t handle = 0;
  std::string spool_file;

  void FileClosed(int32_t closed) override {
    if (closed == handle) handle = 0;
  }
  void RunEnded() override { handle = 0; }
};

void PrintBegin(Interpreter& in);
void PrintEnd(Interpreter& in);
void PrintPageAdv(Interpreter& in);

// True while TEXT output goes to the print file, and writing to it.
bool Printing(Interpreter& in);
void Print(Interpreter& in, std::string_view text);

}  // namespace kinet::script::cmd
