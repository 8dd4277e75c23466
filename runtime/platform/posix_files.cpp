// Files and directories over POSIX, with the case-insensitive lookup described in files.h.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/text_encoding.h"

namespace tvk::platform {
namespace {

unsigned char FoldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    return c;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

bool HasHighBytes(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

// The UTF-8 spelling of a Latin-1 name, or "" when both are the same bytes.
std::string Utf8Form(const std::string& text) {
    return HasHighBytes(text) ? Latin1ToUtf8(text.c_str()) : std::string();
}

// A name from the disk in Latin-1 when it is UTF-8 within that range; otherwise its bytes unchanged.
std::string AsLatin1(const char* name) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; ++p) {
        if (*p < 0x80) {
            out += static_cast<char>(*p);
        } else if ((*p == 0xC2 || *p == 0xC3) && (p[1] & 0xC0) == 0x80) {
            out += static_cast<char>(((*p & 0x03) << 6) | (p[1] & 0x3F));
            ++p;
        } else {
            return name;
        }
    }
    return out;
}

std::string Join(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

// The entry of dir that stands for component, or "" when there is none.
std::string MatchInDirectory(const std::string& dir, const std::string& component) {
    if (Exists(Join(dir, component))) return component;
    std::string utf8 = Utf8Form(component);
    if (!utf8.empty() && Exists(Join(dir, utf8))) return utf8;
    DIR* listing = opendir(dir.empty() ? "." : dir.c_str());
    if (!listing) return std::string();
    std::string best;
    while (dirent* entry = readdir(listing)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        if (!SameIgnoringCase(name, component) && !SameIgnoringCase(AsLatin1(name), component)) continue;
        if (best.empty() || std::strcmp(name, best.c_str()) < 0) best = name;
    }
    closedir(listing);
    return best;
}

}  // namespace

std::string PathForCreating(const std::string& path) {
    std::string found = FindPath(path);
    if (!found.empty()) return found;
    size_t cut = path.find_last_of('/');
    std::string last = cut == std::string::npos ? path : path.substr(cut + 1);
    std::string utf8 = Utf8Form(last);
    if (!utf8.empty()) last = utf8;
    if (cut == std::string::npos) return last;
    std::string parent = cut == 0 ? std::string("/") : path.substr(0, cut);
    std::string parentFound = FindPath(parent);
    return Join(parentFound.empty() ? parent : parentFound, last);
}

namespace {

int OpenRetrying(const char* path, int flags, mode_t mode) {
    int fd;
    do {
        fd = open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

std::string FindPath(const std::string& path) {
    if (path.empty()) return std::string();
    if (Exists(path)) return path;
    std::string utf8 = Utf8Form(path);
    if (!utf8.empty() && Exists(utf8)) return utf8;

    std::string result = path[0] == '/' ? "/" : "";
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        std::string component = path.substr(start, end - start);
        start = end + 1;
        if (component.empty()) continue;
        if (component == "." || component == "..") {
            result = Join(result, component);
            continue;
        }
        std::string match = MatchInDirectory(result, component);
        if (match.empty()) return std::string();
        result = Join(result, match);
    }
    return Exists(result) ? result : std::string();
}

PathKind GetPathKind(const std::string& path) {
    std::string found = FindPath(path);
    struct stat st {};
    if (found.empty() || stat(found.c_str(), &st) != 0) return PathKind::Missing;
    return S_ISDIR(st.st_mode) ? PathKind::Directory : PathKind::File;
}

int OpenForReading(const std::string& path) {
    std::string found = FindPath(path);
    if (found.empty()) return -1;
    // Non-blocking so that a FIFO cannot hang the open; only regular files are accepted.
    int fd = OpenRetrying(found.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK, 0);
    if (fd < 0) return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

int OpenForWriting(const std::string& path, CreateMode mode) {
    if (path.empty()) return -1;
    switch (mode) {
        case CreateMode::Replace: {
            std::string target = PathForCreating(path);
            unlink(target.c_str());
            return OpenRetrying(target.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        }
        case CreateMode::Append: {
            std::string target = PathForCreating(path);
            int fd = OpenRetrying(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
            if (fd >= 0 && lseek(fd, 0, SEEK_END) < 0) {
                close(fd);
                return -1;
            }
            return fd;
        }
        case CreateMode::Exclusive:
            unlink(path.c_str());
            return OpenRetrying(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
    return -1;
}

size_t ReadFromFile(int fd, void* dest, size_t count) {
    char* out = static_cast<char*>(dest);
    size_t done = 0;
    while (done < count) {
        ssize_t n = read(fd, out + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

bool WriteToFile(int fd, const void* src, size_t count) {
    const char* in = static_cast<const char*>(src);
    while (count > 0) {
        ssize_t n = write(fd, in, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        in += n;
        count -= static_cast<size_t>(n);
    }
    return true;
}

int64_t SeekInFile(int fd, int64_t offset, SeekOrigin origin) {
    int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
    off_t result = lseek(fd, static_cast<off_t>(offset), whence);
    return result < 0 ? -1 : static_cast<int64_t>(result);
}

int64_t SizeOfFile(int fd) {
    struct stat st {};
    return fstat(fd, &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
}

void CloseFile(int fd) {
    if (fd >= 0) close(fd);
}

bool DeleteFileAt(const std::string& path) {
    std::string found = FindPath(path);
    struct stat st {};
    if (found.empty() || stat(found.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return unlink(found.c_str()) == 0;
}

bool MakeDirectory(const std::string& path) {
    if (path.empty() || !FindPath(path).empty()) return false;
    return mkdir(PathForCreating(path).c_str(), 0755) == 0;
}

bool EnterDirectory(const std::string& path) {
    std::string found = FindPath(path);
    return !found.empty() && chdir(found.c_str()) == 0;
}

std::string WorkingDirectory() {
    std::string buffer(4096, '\0');
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) return std::string();
        buffer.resize(buffer.size() * 2);
    }
    return AsLatin1(buffer.c_str());
}

}  // namespace tvk::platform
