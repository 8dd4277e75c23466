// ListDirectory: the current directory's subdirectories, then its files matching a pattern.
#include <algorithm>
#include <string>
#include <vector>

#include "files/wildcard.h"
#include "platform/directory_entries.h"
#include "tarnvik/files.h"

namespace {

int CompareIgnoringCase(const std::string& a, const std::string& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        auto fold = [](char c) { return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
        int difference = fold(a[i]) - fold(b[i]);
        if (difference) return difference;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

void SortIgnoringCase(std::vector<std::string>& names) {
    // Names equal but for case are put in byte order, so a listing does not vary from run to run.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        int order = CompareIgnoringCase(a, b);
        return order ? order < 0 : a < b;
    });
}

}  // namespace

RtNumber ListDirectory(const RtString& pattern, RtStringArray& target) {
    std::vector<tvk::platform::DirectoryEntry> entries;
    if (!tvk::platform::ReadDirectoryEntries(".", entries)) {
        DimArray(target, 0);
        return 0;
    }
    std::vector<std::string> directories, files;
    for (const auto& entry : entries) {
        if (entry.isDirectory) {
            directories.push_back(entry.name);
        } else if (tvk::MatchWildcard(pattern.c_str(), entry.name.c_str())) {
            files.push_back(entry.name);
        }
    }
    SortIgnoringCase(directories);
    SortIgnoringCase(files);
    const RtInt count = static_cast<RtInt>(directories.size() + files.size());
    DimArray(target, count);
    if (target.size0 != count) return 0;  // no memory while the program is ending
    RtInt at = 0;
    for (const auto* group : {&directories, &files}) {
        for (const std::string& name : *group) target.data[at++].Assign(name.c_str(), static_cast<uint32_t>(name.size()));
    }
    return static_cast<RtNumber>(files.size()) + 65536.0 * static_cast<RtNumber>(directories.size());
}
