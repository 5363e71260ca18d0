// Files by name, directories and drives. Failures store 0 or the empty text.
#include "scriptplayer/commands/directories.h"

#include <limits>

#include "scriptplayer/commands/path_text.h"
#include "scriptplayer/engine/interpreter.h"

namespace kinet::script::cmd {
namespace {

using platform::DriveKind;

void StoreFlag(Interpreter& in, const std::string& name, bool flag) {
  in.SetNumber(name, flag ? 1 : 0);
}

// name, text: 1 when the operation on the text succeeds.
template <typename Operation>
void NameTest(Interpreter& in, Operation operation) {
  std::string name = in.ArgName();
  std::string path = in.ArgNonEmptyText();
  StoreFlag(in, name, operation(path));
}

// name, text, text: 1 when the operation on the two texts succeeds.
template <typename Operation>
void TwoNameTest(Interpreter& in, Operation operation) {
  std::string name = in.ArgName();
  std::string from = in.ArgNonEmptyText();
  std::string to = in.ArgNonEmptyText();
  StoreFlag(in, name, operation(from, to));
}

// Script numbers are 32-bit: larger sizes are held at the largest one.
int64_t ClampToScript(int64_t bytes) {
  if (bytes < 0) return 0;
  return std::min<int64_t>(bytes, std::numeric_limits<int32_t>::max());
}

// A drive is any path on the file system in question; the empty text means the current one.
std::string DriveArg(Interpreter& in) {
  std::string drive = in.ArgText();
  return drive.empty() ? "." : drive;
}

void DriveKindTest(Interpreter& in, DriveKind kind) {
  std::string name = in.ArgName();
  std::string drive = DriveArg(in);
  StoreFlag(in, name, in.host().files().KindOf(drive) == kind);
}

void StoreNextMatch(Interpreter& in, const std::string& name) {
  std::string match;
  FindState& find = in.State<FindState>();
  if (find.next < find.matches.size()) match = find.matches[find.next++];
  in.SetVariable(name, match);
}

}  // namespace

void FileCopy(Interpreter& in) {
  TwoNameTest(in, [&](auto& a, auto& b) { return in.host().files().Copy(a, b); });
}
void FileRename(Interpreter& in) {
  TwoNameTest(in, [&](auto& a, auto& b) { return in.host().files().Rename(a, b); });
}
void FileDelete(Interpreter& in) {
  NameTest(in, [&](auto& path) { return in.host().files().Remove(path); });
}
void DirChange(Interpreter& in) {
  NameTest(in, [&](auto& path) { return in.host().files().ChangeDirectory(path); });
}
void DirExists(Interpreter& in) {
  NameTest(in, [&](auto& path) { return in.host().files().DirectoryExists(path); });
}
void DirMake(Interpreter& in) {
  NameTest(in, [&](auto& path) { return in.host().files().MakeDirectory(path); });
}
void DirRemove(Interpreter& in) {
  NameTest(in, [&](auto& path) { return in.host().files().RemoveDirectory(path); });
}

void DirCurrent(Interpreter& in) {
  in.SetVariable(in.ArgName(), in.host().files().CurrentDirectory());
}

void FileFullPath(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetVariable(name, in.host().files().FullPath(in.ArgNonEmptyText()));
}

// The text names the directory for the new file; empty: the system's temporary directory.
void FileTemp(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetVariable(name, in.host().files().CreateTempFile(in.ArgText()));
}

void FileFind(Interpreter& in) {
  std::string name = in.ArgName();
  std::string pattern = in.ArgText();
  if (pattern.empty()) {
    pattern = "*.*";
  } else if (in.host().files().DirectoryExists(pattern)) {
    pattern = AddSeparator(pattern) + "*.*";
  }
  size_t slash = pattern.rfind('/');
  std::string directory = slash == std::string::npos ? "" : pattern.substr(0, slash + 1);
  std::string mask = pattern.substr(directory.size());
  FindState& find = in.State<FindState>();
  find.matches.clear();
  find.next = 0;
  for (const std::string& entry :
       in.host().files().ListDirectory(directory.empty() ? "." : directory)) {
    if (MatchesWildcard(mask, entry)) find.matches.push_back(directory + entry);
  }
  StoreNextMatch(in, name);
}

void FileFindNext(Interpreter& in) { StoreNextMatch(in, in.ArgName()); }

// Pieces of the full path: drive (always empty here), directory with its final '/', name,
// extension with its '.'; the ones asked for are joined again.
void FilePieces(Interpreter& in) {
  std::string name = in.ArgName();
  (void)in.ArgNumber();  // the drive piece: no drive letters on this platform
  bool want_directory = in.ArgNumber() != 0;
  bool want_name = in.ArgNumber() != 0;
  bool want_extension = in.ArgNumber() != 0;
  std::string path = in.ArgNonEmptyText();
  std::string full = in.host().files().FullPath(path);
  if (in.host().files().DirectoryExists(path)) full = AddSeparator(full);
  size_t slash = full.rfind('/');
  std::string directory = slash == std::string::npos ? "" : full.substr(0, slash + 1);
  std::string file = full.substr(directory.size());
  size_t dot = file.rfind('.');
  std::string extension = dot == std::string::npos ? "" : file.substr(dot);
  file.resize(file.size() - extension.size());
  std::string result;
  if (want_directory) result += directory;
  if (want_name) result += file;
  if (want_extension) result += extension;
  in.SetVariable(name, result);
}

// Attribute bits: 1 read-only, 2 hidden, 16 directory, 128 a plain file; 0 when the file
// does not exist.
void FileGetAttrib(Interpreter& in) {
  std::string name = in.ArgName();
  int32_t bits = in.host().files().GetAttributes(in.ArgNonEmptyText());
  in.SetNumber(name, bits < 0 ? 0 : bits);
}

// Only the read-only bit can be changed here.
void FileSetAttrib(Interpreter& in) {
  std::string path = in.ArgNonEmptyText();
  int32_t bits = in.ArgNumber();
  (void)in.host().files().SetAttributes(path, bits);
}

void FileCdRom(Interpreter& in) { DriveKindTest(in, DriveKind::kCdRom); }
void FileRemote(Interpreter& in) { DriveKindTest(in, DriveKind::kRemote); }
void FileRemovable(Interpreter& in) { DriveKindTest(in, DriveKind::kRemovable); }

void DriveAvail(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetNumber(name, ClampToScript(in.host().files().FreeSpace(DriveArg(in))));
}

void DriveSize(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetNumber(name, ClampToScript(in.host().files().TotalSpace(DriveArg(in))));
}

}  // namespace kinet::script::cmd
