#include "files/file_stream.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "files/file_names.h"
#include "files/memory_names.h"

namespace tvk {

FileStream::FileStream(FileStream&& other) noexcept { *this = std::move(other); }

FileStream& FileStream::operator=(FileStream&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        base_ = std::exchange(other.base_, nullptr);
        size_ = std::exchange(other.size_, 0);
        position_ = std::exchange(other.position_, 0);
        keepAlive_ = std::move(other.keepAlive_);
    }
    return *this;
}

bool FileStream::OpenRead(const char* name) {
    Close();
    if (IsMemoryName(name)) {
        MemoryRegion region;
        if (!FindMemoryRegion(name, region)) return false;
        base_ = region.base;
        size_ = static_cast<int64_t>(region.size);
        keepAlive_ = std::move(region.owner);
        return true;
    }
    std::string path;
    if (!ToSystemPath(name, path)) return false;
    fd_ = platform::OpenForReading(path);
    if (fd_ < 0) return false;
    size_ = std::max<int64_t>(platform::SizeOfFile(fd_), 0);
    return true;
}

bool FileStream::OpenWrite(const char* name) { return OpenForWriting(name, platform::CreateMode::Replace); }

bool FileStream::OpenAppend(const char* name) { return OpenForWriting(name, platform::CreateMode::Append); }

bool FileStream::OpenForWriting(const char* name, platform::CreateMode mode) {
    Close();
    std::string path;
    if (IsMemoryName(name) || !ToSystemPath(name, path)) return false;
    fd_ = platform::OpenForWriting(path, mode);
    return fd_ >= 0;
}

void FileStream::Close() {
    platform::CloseFile(fd_);
    fd_ = -1;
    base_ = nullptr;
    size_ = 0;
    position_ = 0;
    keepAlive_.reset();
}

size_t FileStream::ReadUpTo(void* dest, size_t count) {
    if (fd_ >= 0) {
        size_t got = platform::ReadFromFile(fd_, dest, count);
        position_ += static_cast<int64_t>(got);
        return got;
    }
    if (!base_ || position_ < 0 || position_ > size_) return 0;
    size_t copied = std::min(count, static_cast<size_t>(size_ - position_));
    if (copied) std::memcpy(dest, base_ + position_, copied);
    position_ += static_cast<int64_t>(copied);
    return copied;
}

bool FileStream::Read(void* dest, size_t count) {
    if (fd_ >= 0) return ReadUpTo(dest, count) == count;
    if (!base_ || position_ < 0 || position_ > size_) return false;
    size_t copied = ReadUpTo(dest, count);
    if (copied < count) std::memset(static_cast<char*>(dest) + copied, 0, count - copied);
    return true;
}

bool FileStream::Write(const void* src, size_t count) {
    if (fd_ < 0) return false;
    if (count == 0) return true;
    if (!platform::WriteToFile(fd_, src, count)) return false;
    position_ += static_cast<int64_t>(count);
    return true;
}

bool FileStream::Seek(int64_t offset) {
    return SeekFrom(offset, offset >= 0 ? platform::SeekOrigin::Begin : platform::SeekOrigin::End) >= 0;
}

int64_t FileStream::SeekFrom(int64_t offset, platform::SeekOrigin origin) {
    if (fd_ >= 0) {
        int64_t result = platform::SeekInFile(fd_, offset, origin);
        if (result >= 0) position_ = result;
        return result;
    }
    if (!base_) return -1;
    switch (origin) {
        case platform::SeekOrigin::Begin: position_ = offset; break;
        case platform::SeekOrigin::Current: position_ += offset; break;
        case platform::SeekOrigin::End: position_ = size_ + offset; break;
    }
    return position_;
}

int64_t FileStream::Size() const {
    if (fd_ >= 0) return std::max<int64_t>(platform::SizeOfFile(fd_), 0);
    return base_ ? size_ : 0;
}

}  // namespace tvk
