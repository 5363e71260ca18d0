// Data files by handle. Handlers read their parameters through the interpreter
// (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

void FileAppend(Interpreter& in);
void FileClose(Interpreter& in);
void FileCreate(Interpreter& in);
void FileEof(Interpreter& in);
void FileExists(Interpreter& in);
void FileList(Interpreter& in);
void FileOpen(Interpreter& in);
void FileRead(Interpreter& in);
void FileSize(Interpreter& in);
void FileWrite(Interpreter& in);

}  // namespace kinet::script::cmd
