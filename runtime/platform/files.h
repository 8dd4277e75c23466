// Files and directories of the operating system, as the runtime's file commands need them.
//
// Paths are "/"-separated and their bytes are in the runtime's code page (Latin-1). Programs were
// written for a file system that ignores case, so every lookup of an existing path works like this:
//   1. the path exactly as written, then the same path encoded as UTF-8;
//   2. otherwise one component at a time, from the left: a component that exists as written (or as
//      UTF-8) is taken as it is; one that does not is compared with every entry of its directory,
//      ignoring the case of the letters A-Z and of the Latin-1 letters U+00C0-U+00DE (not U+00D7),
//      with entry names that are valid UTF-8 compared in their Latin-1 form. When several entries
//      match, the one that sorts first byte by byte wins, so the answer does not depend on the
//      order the directory lists them in. "." and ".." and empty components are kept as written.
// A path to be created resolves its directory part this way, reuses an existing file whose name
// matches the last component, and otherwise creates that component encoded as UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tvk::platform {

enum class PathKind { Missing, File, Directory };

// The path as it exists on disk, or "" when nothing matches.
std::string FindPath(const std::string& path);
PathKind GetPathKind(const std::string& path);
// For a path to be created: the existing file it names, or the directory found on disk plus the
// last component as UTF-8.
std::string PathForCreating(const std::string& path);

// Descriptors are plain ints; -1 means none.
int OpenForReading(const std::string& path);  // existing regular files only
enum class CreateMode {
    Replace,    // delete any old file, create a new one (read and write access)
    Append,     // open or create for writing, positioned at the end
    Exclusive,  // delete any old file, then create it only if nobody got there first (0600, no symlinks)
};
int OpenForWriting(const std::string& path, CreateMode mode);
// Reads until count bytes arrived, the end of the file or an error; returns the bytes read.
size_t ReadFromFile(int fd, void* dest, size_t count);
bool WriteToFile(int fd, const void* src, size_t count);
enum class SeekOrigin { Begin, Current, End };
// The new offset from the start of the file, or -1.
int64_t SeekInFile(int fd, int64_t offset, SeekOrigin origin);
int64_t SizeOfFile(int fd);  // -1 on failure
void CloseFile(int fd);

// Deletes a file (never a directory); false when it did not exist or could not be deleted.
bool DeleteFileAt(const std::string& path);
// Creates one directory level.
bool MakeDirectory(const std::string& path);
bool EnterDirectory(const std::string& path);
// The current directory in the runtime's code page, without a trailing "/" (except for "/").
std::string WorkingDirectory();

}  // namespace tvk::platform
