#include "files/packed_archive.h"

#include <lzo/lzo1x.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "files/file_names.h"

namespace tvk {
namespace {

constexpr size_t kDirectoryBlock = 64 * 1024;

int32_t LoadInt32(const uint8_t* p) {
    uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
                 static_cast<uint32_t>(p[3]) << 24;
    return static_cast<int32_t>(v);
}

unsigned char Lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

bool LzoReady() {
    static const bool ready = lzo_init() == LZO_E_OK;
    return ready;
}

}  // namespace

bool SameFileName(const char* a, size_t aLength, const char* b, size_t bLength) {
    if (aLength != bLength) return false;
    for (size_t i = 0; i < aLength; ++i) {
        if (Lower(static_cast<unsigned char>(a[i])) != Lower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

ArchiveStatus PackedArchive::Open() {
    block_.clear();
    archiveSize_ = stream_.Size();
    if (archiveSize_ < kArchiveTrailerSize) return ArchiveStatus::NotAnArchive;
    uint8_t trailer[kArchiveTrailerSize];
    if (!stream_.Seek(-kArchiveTrailerSize) || stream_.ReadUpTo(trailer, sizeof(trailer)) != sizeof(trailer))
        return ArchiveStatus::Unreadable;
    if (std::memcmp(trailer, "sbX", 3) != 0) return ArchiveStatus::NotAnArchive;
    int32_t position = LoadInt32(trailer + 3);
    endRelative_ = position < 0;
    directoryStart_ = endRelative_ ? archiveSize_ + position : position;
    if (directoryStart_ < 0 || directoryStart_ >= archiveSize_ - kArchiveTrailerSize) return ArchiveStatus::Corrupt;
    cursor_ = directoryStart_;
    return ArchiveStatus::Ok;
}

bool PackedArchive::ReadDirectory(void* dest, size_t count) {
    const int64_t limit = archiveSize_ - kArchiveTrailerSize;
    if (cursor_ < directoryStart_ || static_cast<int64_t>(count) > limit - cursor_) return false;
    int64_t blockEnd = blockStart_ + static_cast<int64_t>(block_.size());
    if (cursor_ < blockStart_ || cursor_ + static_cast<int64_t>(count) > blockEnd) {
        size_t want = static_cast<size_t>(std::min<int64_t>(std::max(kDirectoryBlock, count), limit - cursor_));
        block_.resize(want);
        blockStart_ = cursor_;
        if (!stream_.Seek(cursor_) || stream_.ReadUpTo(block_.data(), want) != want) {
            block_.clear();
            return false;
        }
    }
    std::memcpy(dest, block_.data() + (cursor_ - blockStart_), count);
    cursor_ += static_cast<int64_t>(count);
    return true;
}

bool PackedArchive::Next(ArchiveEntry& entry) {
    uint8_t length = 0;
    if (!ReadDirectory(&length, 1) || length == 0) return false;
    char name[255];
    uint8_t numbers[8];
    if (!ReadDirectory(name, length) || !ReadDirectory(numbers, sizeof(numbers))) return false;
    entry.name.assign(name, length);
    entry.storedOffset = LoadInt32(numbers);
    entry.storedSize = LoadInt32(numbers + 4);
    entry.dataStart = endRelative_ ? archiveSize_ + entry.storedOffset : entry.storedOffset;
    return true;
}

bool PackedArchive::Find(const char* baseName, ArchiveEntry& entry) {
    cursor_ = directoryStart_;
    size_t wanted = std::strlen(baseName);
    while (Next(entry)) {
        const char* entryBase = BaseName(entry.name.c_str());
        size_t entryLength = entry.name.size() - static_cast<size_t>(entryBase - entry.name.c_str());
        if (SameFileName(entryBase, entryLength, baseName, wanted)) return true;
    }
    return false;
}

UnpackStatus PackedArchive::Unpack(const ArchiveEntry& entry, UnpackedData& out) {
    out = UnpackedData{};
    const int64_t stored = entry.storedSize;
    if (stored < 4 || entry.dataStart < 0 || stored > archiveSize_ - entry.dataStart) return UnpackStatus::Corrupt;

    // A memory archive is decompressed in place; a file archive is read into a buffer first.
    std::unique_ptr<uint8_t[]> readBuffer;
    const uint8_t* packed = nullptr;
    if (stream_.IsMemory()) {
        packed = stream_.MemoryData() + entry.dataStart;
    } else {
        readBuffer.reset(new (std::nothrow) uint8_t[static_cast<size_t>(stored)]);
        if (!readBuffer) return UnpackStatus::OutOfMemory;
        if (!stream_.Seek(entry.dataStart) ||
            stream_.ReadUpTo(readBuffer.get(), static_cast<size_t>(stored)) != static_cast<size_t>(stored))
            return UnpackStatus::Corrupt;
        packed = readBuffer.get();
    }

    const int64_t expected = LoadInt32(packed);
    if (expected < 0 || expected > (stored - 4) * kMaxExpansion) return UnpackStatus::Corrupt;
    out.bytes.reset(new (std::nothrow) uint8_t[static_cast<size_t>(std::max<int64_t>(expected, 1))]);
    if (!out.bytes) return UnpackStatus::OutOfMemory;

    lzo_uint produced = static_cast<lzo_uint>(expected);
    int result = LzoReady() ? lzo1x_decompress_safe(packed + 4, static_cast<lzo_uint>(stored - 4), out.bytes.get(),
                                                    &produced, nullptr)
                            : LZO_E_ERROR;
    if (result != LZO_E_OK) {
        out.size = 0;
        return UnpackStatus::BadData;
    }
    out.size = static_cast<size_t>(produced);
    return UnpackStatus::Ok;
}

}  // namespace tvk
