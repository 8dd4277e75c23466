// Writing a file so that a crash, a kill or a full disk never leaves it half written: the bytes
// go to a temporary file beside the target, which is renamed over the target only once every
// byte is on disk. Until then the old file (if any) stays exactly as it was.
#pragma once

#include <cstddef>
#include <string>

namespace tvk::platform {

class ReplacingFile {
public:
    ReplacingFile() = default;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile();  // an uncommitted file is abandoned

    // Starts a new content for path (resolved as files.h resolves a path to be created).
    // False, with Error() saying why, when the temporary file cannot be made.
    bool Open(const std::string& path);
    bool Write(const void* data, size_t count);
    // Flushes, then renames over the target. False (old file kept) when any step failed.
    bool Commit();
    // Removes the temporary file; the target is left alone.
    void Abandon();

    bool IsOpen() const { return fd_ >= 0; }
    // The system's text for the first failure, e.g. "No space left on device".
    const std::string& Error() const { return error_; }
    // The errno behind Error(); 0 while nothing failed.
    int ErrorNumber() const { return errorNumber_; }

private:
    void Fail(int error);

    int fd_ = -1;
    bool failed_ = false;
    std::string target_;
    std::string temporary_;
    std::string error_;
    int errorNumber_ = 0;
};

// The whole content at once through ReplacingFile. On failure *error (when given) says why.
bool ReplaceFileContent(const std::string& path, const void* data, size_t count, std::string* error = nullptr);

}  // namespace tvk::platform
