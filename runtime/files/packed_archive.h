// The archive a program carries appended to its executable.
//
// Layout (integers are 32-bit little-endian, signed):
//   trailer, the last 7 bytes: "sbX", then the directory position. A position >= 0 counts from the
//     start of the archive; a negative one from its end, and then every data offset does too.
//   directory: entries of { name length n (1 byte, 1..255), n name bytes (a bare file name, no
//     terminator), data offset, stored size }, ended by a name length of 0.
//   stored data: the uncompressed size, then (stored size - 4) bytes of LZO1X-1 data.
// Nothing here trusts the archive: every offset and size is checked against the archive's size
// before it is used, and an entry claiming to expand more than kMaxExpansion times its compressed
// size is corrupt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "files/file_stream.h"

namespace tvk {

constexpr int64_t kArchiveTrailerSize = 7;
constexpr int64_t kMaxExpansion = 1024;

struct ArchiveEntry {
    std::string name;         // as stored
    int32_t storedOffset = 0;  // as stored (relative to the end for end-relative archives)
    int32_t storedSize = 0;
    int64_t dataStart = 0;    // from the start of the archive; may be out of range in a corrupt archive
};

enum class ArchiveStatus { Ok, Unreadable, NotAnArchive, Corrupt };
enum class UnpackStatus {
    Ok,
    Corrupt,      // sizes or offsets impossible for this archive
    BadData,      // the compressed bytes did not decompress; the result is empty
    OutOfMemory,
};

struct UnpackedData {
    std::shared_ptr<uint8_t[]> bytes;  // never null after Ok or BadData
    size_t size = 0;
};

class PackedArchive {
public:
    // The stream must stay open while the archive is used.
    explicit PackedArchive(FileStream& stream) : stream_(stream) {}

    // Reads the trailer and positions the directory walk at its first entry.
    ArchiveStatus Open();
    bool EndRelative() const { return endRelative_; }
    // The next directory entry; false at the end marker, at a short read or past the trailer.
    bool Next(ArchiveEntry& entry);
    // Walks the directory from the start for an entry whose file name equals baseName, ignoring case.
    bool Find(const char* baseName, ArchiveEntry& entry);
    UnpackStatus Unpack(const ArchiveEntry& entry, UnpackedData& out);

private:
    bool ReadDirectory(void* dest, size_t count);

    FileStream& stream_;
    int64_t archiveSize_ = 0;
    int64_t directoryStart_ = 0;
    int64_t cursor_ = 0;  // next directory byte
    bool endRelative_ = false;
    std::vector<uint8_t> block_;  // directory bytes read ahead
    int64_t blockStart_ = 0;
};

// Compares two file names ignoring the case of ASCII letters, as the archive lookup does.
bool SameFileName(const char* a, size_t aLength, const char* b, size_t bLength);

}  // namespace tvk
