#include "files/file_names.h"

#include <cstring>

namespace tvk {

bool ToSystemPath(const char* name, std::string& out) {
    out.clear();
    if (!name || !*name) return false;
    size_t length = std::strlen(name);
    if (length > kMaxPathLength) return false;
    out.assign(name, length);
    for (char& c : out) {
        if (c == '\\') c = '/';
    }
    return true;
}

const char* BaseName(const char* name) {
    const char* base = name;
    for (const char* p = name; *p; ++p) {
        if (*p == '/' || *p == '\\') base = p + 1;
    }
    return base;
}

}  // namespace tvk
