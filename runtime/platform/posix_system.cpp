// Clock, paths, files and environment over POSIX.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

#include "platform/system.h"

namespace tvk::platform {

double MonotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

void SleepMs(double milliseconds) {
    if (milliseconds <= 0) {
        sched_yield();
        return;
    }
    timespec request{};
    request.tv_sec = static_cast<time_t>(milliseconds / 1000.0);
    request.tv_nsec = static_cast<long>((milliseconds - static_cast<double>(request.tv_sec) * 1000.0) * 1e6);
    timespec remaining{};
    while (nanosleep(&request, &remaining) != 0 && errno == EINTR) request = remaining;
}

std::string TempDirectory() {
    std::string dir = GetEnvironment("TMPDIR");
    if (dir.empty()) dir = "/tmp/";
    if (dir.back() != '/') dir += '/';
    return dir;
}

std::string ExecutablePath() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0) return std::string();
    return std::string(path, static_cast<size_t>(n));
}

bool SetCurrentDirectory(const std::string& path) { return chdir(path.c_str()) == 0; }

std::string CurrentDirectory() {
    char path[PATH_MAX];
    return getcwd(path, sizeof(path)) ? std::string(path) : std::string();
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

bool AppendExclusive(const std::string& path, const char* data, size_t size) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {  // another writer holds it: the caller retries
        close(fd);
        return false;
    }
    bool ok = true;
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    close(fd);
    return ok;
}

std::string GetEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace tvk::platform
