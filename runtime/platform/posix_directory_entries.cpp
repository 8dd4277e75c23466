#include <dirent.h>
#include <sys/stat.h>

#include "platform/directory_entries.h"
#include "platform/text_encoding.h"

namespace tvk::platform {

namespace {

// A name stored as UTF-8 comes back in Latin-1 when every character has a Latin-1 form;
// otherwise the stored bytes stay, so the name can still be opened as it is.
std::string ProgramName(const char* stored) {
    std::string latin1 = Utf8ToLatin1(stored);
    if (Latin1ToUtf8(latin1.c_str()) == stored) return latin1;
    return stored;
}

}  // namespace

bool ReadDirectoryEntries(const std::string& path, std::vector<DirectoryEntry>& entries) {
    entries.clear();
    DIR* dir = opendir(path.empty() ? "." : path.c_str());
    if (!dir) return false;
    const std::string prefix = path.empty() || path.back() == '/' ? path : path + "/";
    while (dirent* entry = readdir(dir)) {
        bool isDirectory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info;
            isDirectory = stat((prefix + entry->d_name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        entries.push_back({ProgramName(entry->d_name), isDirectory});
    }
    closedir(dir);
    return true;
}

}  // namespace tvk::platform
