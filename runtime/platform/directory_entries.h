// The entries of one directory, for directory listings.
#pragma once

#include <string>
#include <vector>

namespace tvk::platform {

struct DirectoryEntry {
    std::string name;  // in the runtime's code page when it has a form there, else as stored
    bool isDirectory;  // links to directories count as directories
};

// Every entry, "." and ".." included, in the order the file system gives them; false when the
// directory cannot be read.
bool ReadDirectoryEntries(const std::string& path, std::vector<DirectoryEntry>& entries);

}  // namespace tvk::platform
