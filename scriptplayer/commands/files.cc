// Data files by handle: open, read and write lines, test the end, close.
#include "scriptplayer/commands/files.h"

#include "scriptplayer/engine/integer_text.h"
#include "scriptplayer/engine/interpreter.h"

namespace kinet::script::cmd {
namespace {

constexpr size_t kMaxReadLine = 255;
// A longer line is read whole but only its beginning is kept, so the next FILEREAD starts at
// the next line.
constexpr size_t kLongestLine = 1 << 16;

void OpenInto(Interpreter& in, platform::OpenMode mode) {
  std::string name = in.ArgName();
  std::string file = in.ArgNonEmptyText();
  in.SetNumber(name, in.OpenFile(file, mode));
}

}  // namespace

void FileOpen(Interpreter& in) { OpenInto(in, platform::OpenMode::kRead); }

void FileCreate(Interpreter& in) { OpenInto(in, platform::OpenMode::kCreate); }

void FileAppend(Interpreter& in) {
  std::string name = in.ArgName();
  std::string file = in.ArgNonEmptyText();
  int32_t handle = in.OpenFile(file, platform::OpenMode::kUpdate);
  if (handle != 0) {
    in.files().Get(handle)->SeekToEnd();
  } else {
    handle = in.OpenFile(file, platform::OpenMode::kCreate);
  }
  in.SetNumber(name, handle);
}

void FileClose(Interpreter& in) {
  std::string name = in.ArgName();
  int32_t handle = ParseInteger(in.GetVariable(name));
  in.CloseFile(handle);
  in.SetVariable(name, "");
}

void FileRead(Interpreter& in) {
  std::string name = in.ArgName();
  ScriptFile& file = *in.files().Get(in.ArgFileHandle());
  std::string line;
  file.ReadLine(kLongestLine, line);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (line.size() > kMaxReadLine) line.resize(kMaxReadLine);
  in.SetVariable(name, line);
}

void FileWrite(Interpreter& in) {
  ScriptFile& file = *in.files().Get(in.ArgFileHandle());
  std::string text = in.ArgText();
  (void)file.Write(text + "\r\n");
}

void FileEof(Interpreter& in) {
  std::string name = in.ArgName();
  ScriptFile& file = *in.files().Get(in.ArgFileHandle());
  in.SetNumber(name, file.AtEnd() ? 1 : 0);
}

void FileExists(Interpreter& in) {
  std::string name = in.ArgName();
  std::string file = in.ArgNonEmptyText();
  in.SetNumber(name, in.host().files().Open(file, platform::OpenMode::kRead) ? 1 : 0);
}

// An integer text names an open file's handle; any other text a file by name.
void FileSize(Interpreter& in) {
  std::string name = in.ArgName();
  std::string what = in.ArgNonEmptyText();
  int64_t size;
  if (IsIntegerText(what)) {
    ScriptFile* file = in.files().Get(ParseInteger(what));
    size = file ? file->Size() : 0;
  } else {
    size = in.host().files().FileSize(what);
  }
  in.SetNumber(name, size < 0 ? 0 : size);
}

void FileList(Interpreter& in) {
  std::vector<std::string> lines;
  for (int32_t handle : in.files().OpenHandles()) {
    lines.push_back("Number: " + std::to_string(handle) +
                    "  File: " + in.files().Get(handle)->name());
  }
  in.List(lines);
}

}  // namespace kinet::script::cmd
