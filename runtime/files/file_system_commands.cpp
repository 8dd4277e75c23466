// Whole-file and directory commands.
#include <algorithm>
#include <climits>
#include <string>

#include "base/error_codes.h"
#include "files/file_names.h"
#include "files/file_stream.h"
#include "files/memory_names.h"
#include "platform/files.h"
#include "tarnvik/core.h"
#include "tarnvik/files.h"

namespace {

tvk::platform::PathKind KindOf(const RtString& name) {
    std::string path;
    if (!tvk::ToSystemPath(name.c_str(), path)) return tvk::platform::PathKind::Missing;
    return tvk::platform::GetPathKind(path);
}

RtInt ClampSize(int64_t size) { return static_cast<RtInt>(std::min<int64_t>(size, INT_MAX)); }

}  // namespace

RtInt FileExists(const RtString& name) { return KindOf(name) == tvk::platform::PathKind::File ? 1 : 0; }

RtInt DirectoryExists(const RtString& name) { return KindOf(name) == tvk::platform::PathKind::Directory ? 1 : 0; }

RtInt FileSize(const RtString& name) {
    tvk::FileStream stream;
    if (!stream.OpenRead(name.c_str())) {
        SetErrorCode(tvk::kErrorNoSuchFile);
        return 0;
    }
    return ClampSize(stream.Size());
}

RtInt RemoveFile(const RtString& name) {
    std::string path;
    return tvk::ToSystemPath(name.c_str(), path) && tvk::platform::DeleteFileAt(path) ? 1 : 0;
}

RtInt MakeDirectory(const RtString& name) {
    std::string path;
    return tvk::ToSystemPath(name.c_str(), path) && tvk::platform::MakeDirectory(path) ? 1 : 0;
}

void DuplicateFile(const RtString& source, const RtString& destination) {
    SetErrorCode(tvk::kErrorSuccess);
    tvk::FileStream in;
    tvk::FileStream out;
    if (!in.OpenRead(source.c_str()) || !out.OpenWrite(destination.c_str())) {
        SetErrorCode(tvk::kErrorNoSuchFile);
        return;
    }
    char block[4096];
    for (int64_t left = in.Size(); left > 0;) {
        size_t count = static_cast<size_t>(std::min<int64_t>(left, sizeof(block)));
        if (in.ReadUpTo(block, count) != count || !out.Write(block, count)) {
            in.Close();
            out.Close();
            RemoveFile(destination);  // never leave half a copy behind
            SetErrorCode(tvk::kErrorNoSuchFile);
            return;
        }
        left -= static_cast<int64_t>(count);
    }
}

RtNumber ChangeDirectory(const RtString& path) {
    std::string systemPath;
    if (tvk::ToSystemPath(path.c_str(), systemPath) && tvk::platform::EnterDirectory(systemPath)) return 1;
    SetErrorCode(tvk::kErrorNoSuchFile);
    return 0;
}

RtString CurrentDirectory() {
    std::string path = tvk::platform::WorkingDirectory();
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty() || path.back() != '/') path += '/';
    return RtString(path.c_str());
}

void ToForwardSlashes(RtString& text) {
    for (uint32_t i = 0; i < text.Length(); ++i) {
        if (text.buffer[i] == '\\') text.buffer[i] = '/';
    }
}

RtString RegisterMemoryFile(void* data, RtInt size) {
    if (!data || size < 0 || !tvk::RegisterMemoryRegion(data, static_cast<size_t>(size))) return RtString();
    return RtString(tvk::MemoryName(data, static_cast<size_t>(size)).c_str());
}

void UnregisterMemoryFile(const void* data) { tvk::ForgetMemoryRegion(data); }
