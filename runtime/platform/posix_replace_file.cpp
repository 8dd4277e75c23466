// ReplacingFile over POSIX: mkstemp beside the target, fsync, rename.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/replace_file.h"

namespace tvk::platform {

ReplacingFile::~ReplacingFile() { Abandon(); }

void ReplacingFile::Fail(int error) {
    if (!failed_) {
        error_ = std::strerror(error);
        errorNumber_ = error;
    }
    failed_ = true;
}

bool ReplacingFile::Open(const std::string& path) {
    Abandon();
    failed_ = false;
    error_.clear();
    errorNumber_ = 0;
    if (path.empty()) {
        Fail(ENOENT);
        return false;
    }
    target_ = PathForCreating(path);
    struct stat st {};
    if (stat(target_.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        Fail(EISDIR);
        return false;
    }
    // The temporary name shares the target's directory, so the rename never crosses file systems.
    std::string pattern = target_ + ".tmp-XXXXXX";
    int fd;
    do {
        fd = mkostemp(pattern.data(), O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        Fail(errno);
        return false;
    }
    // Keep the old file's permissions; a new file gets the usual 0644.
    fchmod(fd, stat(target_.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
    fd_ = fd;
    temporary_ = pattern;
    return true;
}

bool ReplacingFile::Write(const void* data, size_t count) {
    if (fd_ < 0 || failed_) return false;
    const char* in = static_cast<const char*>(data);
    while (count > 0) {
        ssize_t n = write(fd_, in, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            Fail(n < 0 ? errno : ENOSPC);
            return false;
        }
        in += n;
        count -= static_cast<size_t>(n);
    }
    return true;
}

bool ReplacingFile::Commit() {
    if (fd_ < 0) return false;
    if (!failed_ && fsync(fd_) != 0) Fail(errno);
    if (close(fd_) != 0) Fail(errno);
    fd_ = -1;
    if (!failed_ && rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
    if (failed_) {
        unlink(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    temporary_.clear();
    return true;
}

void ReplacingFile::Abandon() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) unlink(temporary_.c_str());
    temporary_.clear();
}

bool ReplaceFileContent(const std::string& path, const void* data, size_t count, std::string* error) {
    ReplacingFile file;
    bool ok = file.Open(path) && file.Write(data, count) && file.Commit();
    if (!ok && error) *error = file.Error();
    return ok;
}

}  // namespace tvk::platform
