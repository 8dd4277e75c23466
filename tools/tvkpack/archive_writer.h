// Builds the archive that a program carries appended to its executable (layout in
// files/packed_archive.h): the compressed data of every entry, then the directory, then the trailer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvk::pack {

struct PackEntry {
    std::string name;           // a bare file name, 1..255 bytes
    std::vector<uint8_t> data;  // uncompressed
};

enum class OffsetStyle {
    FromEnd,    // negative offsets: the archive works wherever it is appended
    FromStart,  // absolute offsets, counted from the start of the whole file
};

// LZO1X-1 data preceded by the uncompressed size, as one entry stores it.
std::vector<uint8_t> CompressEntry(const std::vector<uint8_t>& data);

// The bytes to append to a file of prefixSize bytes. Fails (false, with a message in error) when a
// name or the total size does not fit the format.
bool BuildArchive(const std::vector<PackEntry>& entries, OffsetStyle style, int64_t prefixSize,
                  std::vector<uint8_t>& out, std::string& error);

}  // namespace tvk::pack
