// Files by name, directories and drives. Handlers read their parameters through the interpreter
// (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

#include <string>
#include <vector>

#include "scriptplayer/engine/family_state.h"

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

// FILEFIND / FILEFINDNEXT: the matches of the last search, with its directory in front.
struct FindState : FamilyState {
  std::vector<std::string> matches;
  size_t next = 0;
};

void FileCdRom(Interpreter& in);
void FileCopy(Interpreter& in);
void FileDelete(Interpreter& in);
void FileFind(Interpreter& in);
void FileFindNext(Interpreter& in);
void FileFullPath(Interpreter& in);
void FileGetAttrib(Interpreter& in);
void FilePieces(Interpreter& in);
void FileRemote(Interpreter& in);
void FileRemovable(Interpreter& in);
void FileRename(Interpreter& in);
void FileSetAttrib(Interpreter& in);
void FileTemp(Interpreter& in);
void DirChange(Interpreter& in);
void DirCurrent(Interpreter& in);
void DirExists(Interpreter& in);
void DirMake(Interpreter& in);
void DirRemove(Interpreter& in);
void DriveAvail(Interpreter& in);
void DriveSize(Interpreter& in);

}  // namespace kinet::script::cmd
