// Print output. PRINTBEGIN with a name writes to that file; without one the output goes to a
// temporary file that PRINTEND hands to the print spooler ("lpr -r", which removes it).
#include "scriptplayer/commands.h"
#include "scriptplayer/interpreter.h"

namespace kinet::script::cmd {
namespace {

void ClosePrintFile(Interpreter& in) {
  in.CloseFile(in.print().handle);
  if (!in.print().spool_file.empty()) {
    (void)in.services().programs->Start("lpr -r \"" + in.print().spool_file + "\"");
    in.print().spool_file.clear();
  }
}

// TEXT and TEXTNOCR write to the print file while printing; otherwise they draw.
void WriteOrDraw(Interpreter& in, std::string_view line_end) {
  if (in.print().handle == 0) {
    NeedsWindow(in);
    return;
  }
  std::string text = in.ArgText();
  (void)in.files().Get(in.print().handle)->Write(text + std::string(line_end));
}

}  // namespace

void PrintBegin(Interpreter& in) {
  std::string name;
  in.Next(name, true);
  ClosePrintFile(in);
  if (name.empty()) {
    name = in.fs().CreateTempFile("");
    if (name.empty()) return;
    in.print().spool_file = name;
  }
  in.print().handle = in.OpenFile(name, platform::OpenMode::kCreate);
}

void PrintPageAdv(Interpreter& in) {
  if (ScriptFile* file = in.files().Get(in.print().handle)) (void)file->Write("\f");
}

void PrintEnd(Interpreter& in) { ClosePrintFile(in); }

void Text(Interpreter& in) { WriteOrDraw(in, "\r\n"); }

void TextNoCr(Interpreter& in) { WriteOrDraw(in, ""); }

}  // namespace kinet::script::cmd
