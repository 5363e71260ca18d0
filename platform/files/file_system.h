// The one file service: files, directories and drives. Nothing outside platform calls the
// operating system for files; it receives a FileSystem, which is the real one
// (SystemFileSystem, chosen in each program's main) or an in-memory one (MemoryFileSystem) in
// tests and fuzzing. InputFile (input_file.h) and SafeOutputFile (output_file.h) are built
// over it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kinet::platform {

enum class OpenMode {
  kRead,    // existing file, reading only
  kCreate,  // create or truncate, reading and writing
  kUpdate,  // existing file, reading and writing, position 0
};

// Which file a name or an open file is, whatever name reached it (links, a missing extension
// filled in, "./" and ".." all lead to the same identity).
struct FileIdentity {
  uint64_t device = 0, node = 0;
  bool operator==(const FileIdentity&) const = default;
};

// An open file. Closing happens in the destructor. No call throws.
class File {
 public:
  virtual ~File() = default;
  // Reads up to `size` bytes at the current position. Returns the count, which may be short
  // of `size` before the end (a pipe); 0 at the end or on failure.
  virtual size_t Read(void* data, size_t size) = 0;
  // Writes all `size` bytes at the current position. False when not every byte was written.
  virtual bool Write(const void* data, size_t size) = 0;
  // Moves to an absolute byte offset. False on failure.
  virtual bool Seek(uint64_t offset) = 0;
  // Current byte offset, or -1 on failure.
  virtual int64_t Tell() = 0;
  // Length in bytes of a regular file, or -1 when it has none (a pipe) or on failure.
  virtual int64_t Size() = 0;
  // Puts every byte written on the medium. False when that fails (where a full disk shows
  // on some file systems).
  virtual bool Sync() = 0;
  virtual std::optional<FileIdentity> Identity() = 0;
};

// File attribute bits as scripts see them. A plain file with none of the other bits reads as
// kAttributeNormal.
enum : int32_t {
  kAttributeReadOnly = 1,  // the owner may not write
  kAttributeHidden = 2,    // the name begins with '.'
  kAttributeDirectory = 16,
  kAttributeNormal = 128,
};

enum class DriveKind { kFixed, kRemovable, kRemote, kCdRom, kMissing };

// Paths are '/'-separated; relative paths are taken from the current directory.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Null when the file cannot be opened in that mode.
  virtual std::unique_ptr<File> Open(const std::string& path, OpenMode mode) = 0;
  // Length of a regular file, or -1 when it does not exist or is not a file.
  virtual int64_t FileSize(const std::string& path) = 0;
  // True when anything is under the name, even a link to nothing or a file that cannot be
  // read.
  virtual bool Exists(const std::string& path) = 0;
  // The file a name leads to; nothing when there is none.
  virtual std::optional<FileIdentity> Identity(const std::string& path) = 0;
  // Each returns false on failure and then changes nothing it can avoid changing. Copy
  // replaces an existing target; Rename does too.
  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // The absolute, lexically normal form of a path; the file need not exist.
  virtual std::string FullPath(const std::string& path) = 0;
  // Creates a new empty file with a unique name in `directory` (the system's temporary
  // directory when empty) and returns its full path, or "" on failure.
  virtual std::string CreateTempFile(const std::string& directory) = 0;
  // Creates and opens (reading and writing) a new file named `stem` followed by a unique
  // suffix; `stem` may hold a folder. Stores its path in `path`. Null on failure.
  virtual std::unique_ptr<File> CreateUnique(const std::string& stem, std::string* path) = 0;
  // Attribute bits above, or -1 when the path does not exist.
  virtual int32_t GetAttributes(const std::string& path) = 0;
  // Only kAttributeReadOnly can be changed; false when the path does not exist.
  virtual bool SetAttributes(const std::string& path, int32_t attributes) = 0;
  // Names (not paths) of the entries of a directory, sorted, without "." and "..". Empty
  // when the directory cannot be read.
  virtual std::vector<std::string> ListDirectory(const std::string& directory) = 0;

  virtual bool ChangeDirectory(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  virtual bool MakeDirectory(const std::string& path) = 0;
  virtual bool RemoveDirectory(const std::string& path) = 0;  // only an empty one
  virtual std::string CurrentDirectory() = 0;

  // Free and total bytes of the file system holding `path`; -1 when it cannot be asked.
  virtual int64_t FreeSpace(const std::string& path) = 0;
  virtual int64_t TotalSpace(const std::string& path) = 0;
  virtual DriveKind KindOf(const std::string& path) = 0;

  // The system's reason ("No such file or directory", "No space left on device") for the
  // last call of this service, or of a file it opened, that failed to create, open, write,
  // sync, copy, rename or remove; "" while none has. Tools show it under their own message,
  // beside the path.
  virtual std::string LastError() = 0;
};

// The operating system's files. Lives for the whole program.
FileSystem& SystemFileSystem();

// A file of the operating system's reached through a descriptor the caller opened and keeps:
// the File never closes it. Null for a negative descriptor.
std::unique_ptr<File> BorrowDescriptor(int descriptor);

// Makes the directory `path` with every missing parent; true when it exists in the end.
bool MakeDirectories(FileSystem& files, const std::string& path);

// True when both names lead to the same existing file.
bool SameFile(FileSystem& files, const std::string& a, const std::string& b);

}  // namespace kinet::platform
