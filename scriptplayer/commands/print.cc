// Print output. PRINTBEGIN with a name writes to that file; without one the output goes to a
// temporary file that PRINTEND hands to the print spooler ("lpr -r", which removes it).
#include "scriptplayer/commands/print.h"

#include "scriptplayer/engine/interpreter.h"

namespace kinet::script::cmd {
namespace {

void ClosePrintFile(Interpreter& in) {
  PrintState& print = in.State<PrintState>();
  in.CloseFile(print.handle);
  if (!print.spool_file.empty()) {
    (void)in.host().programs().Start("lpr -r \"" + print.spool_file + "\"");
    print.spool_file.clear();
  }
}

}  // namespace

bool Printing(Interpreter& in) { return in.State<PrintState>().handle != 0; }

void Print(Interpreter& in, std::string_view text) {
  if (ScriptFile* file = in.files().Get(in.State<PrintState>().handle)) (void)file->Write(text);
}

void PrintBegin(Interpreter& in) {
  std::string name;
  in.Next(name, true);
  ClosePrintFile(in);
  PrintState& print = in.State<PrintState>();
  if (name.empty()) {
    name = in.host().files().CreateTempFile("");
    if (name.empty()) return;
    print.spool_file = name;
  }
  print.handle = in.OpenFile(name, platform::OpenMode::kCreate);
}

void PrintPageAdv(Interpreter& in) {
  if (ScriptFile* file = in.files().Get(in.State<PrintState>().handle)) (void)file->Write("\f");
}

void PrintEnd(Interpreter& in) { ClosePrintFile(in); }

}  // namespace kinet::script::cmd
