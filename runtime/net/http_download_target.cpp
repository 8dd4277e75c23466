#include "net/http_download_target.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/file_names.h"
#include "files/memory_names.h"
#include "net/socket_table.h"
#include "tarnvik/core.h"

namespace tvk {

namespace {

void RecordErrno(int error) {
    RestoreSocketError(platform::SocketFault{platform::SocketErrorFromErrno(error), platform::SocketFault::Source::System, error});
}

}  // namespace

bool HttpDownloadTarget::Open(const char* name) {
    name_ = name;
    if (IsMemoryName(name)) {
        SetSocketError(platform::kSocketInvalidArgument);
        return false;
    }
    std::string path;
    if (!ToSystemPath(name, path)) {
        // Only an empty name or one longer than a path may be is refused here.
        RecordErrno(*name ? ENAMETOOLONG : ENOENT);
        return false;
    }
    return file_.Open(path) || Fail();
}

bool HttpDownloadTarget::Write(const char* bytes, size_t count) { return file_.Write(bytes, count) || Fail(); }

bool HttpDownloadTarget::Commit() { return file_.Commit() || Fail(); }

bool HttpDownloadTarget::Fail() {
    int error = file_.ErrorNumber() ? file_.ErrorNumber() : EIO;
    file_.Abandon();
    RecordErrno(error);
    // The user can act on this one (room, rights, the folder), so it is said, not only recorded.
    std::string message = "Cannot write " + name_ + ": " + std::strerror(error);
    WriteErrorLog(message.c_str());
    std::fprintf(stderr, "%s\n", message.c_str());
    return false;
}

}  // namespace tvk
