// mem:// names: memory regions opened like files.
//
// A name reads "mem://" + the length in lower-case hex, right-aligned in 8 characters padded with
// spaces, + "." + the address in lower-case hex of at least 8 characters. Only regions registered
// here can be named; any other address reads as a missing file, so a name typed by a program or
// left over from a freed buffer never reaches memory the runtime does not own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tvk {

// Lengths must fit the 8-character field.
constexpr size_t kMaxMemoryRegionSize = 0xFFFFFFFFu;

// True when the first six characters are exactly "mem://".
bool IsMemoryName(const char* name);
std::string MemoryName(const void* base, size_t size);

// Registers a region. owner, when given, keeps the memory alive for as long as a stream reads it,
// even after the region is forgotten. False when the size does not fit the name.
bool RegisterMemoryRegion(void* base, size_t size, std::shared_ptr<const void> owner = {});
void ForgetMemoryRegion(const void* base);

struct MemoryRegion {
    uint8_t* base = nullptr;
    size_t size = 0;
    std::shared_ptr<const void> owner;
};
// The bytes a well-formed name denotes, when they lie inside one registered region.
bool FindMemoryRegion(const char* name, MemoryRegion& region);

}  // namespace tvk
