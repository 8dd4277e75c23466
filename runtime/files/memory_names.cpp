#include "files/memory_names.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <vector>

namespace tvk {
namespace {

struct Registered {
    uint8_t* base;
    size_t size;
    std::shared_ptr<const void> owner;
};

std::vector<Registered>& Regions() {
    static std::vector<Registered> regions;
    return regions;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Leading spaces, then 1 to 16 hex digits up to end (exclusive). Nothing else.
bool ParseHexField(const char* begin, const char* end, uint64_t& value) {
    while (begin < end && *begin == ' ') ++begin;
    if (begin == end || end - begin > 16) return false;
    value = 0;
    for (const char* p = begin; p < end; ++p) {
        int digit = HexValue(*p);
        if (digit < 0) return false;
        value = (value << 4) | static_cast<uint64_t>(digit);
    }
    return true;
}

}  // namespace

bool IsMemoryName(const char* name) { return name && std::strncmp(name, "mem://", 6) == 0; }

std::string MemoryName(const void* base, size_t size) {
    char text[48];
    std::snprintf(text, sizeof(text), "mem://%8" PRIx64 ".%8" PRIx64, static_cast<uint64_t>(size),
                  static_cast<uint64_t>(reinterpret_cast<uintptr_t>(base)));
    return text;
}

bool RegisterMemoryRegion(void* base, size_t size, std::shared_ptr<const void> owner) {
    if (!base || size > kMaxMemoryRegionSize) return false;
    ForgetMemoryRegion(base);
    Regions().push_back({static_cast<uint8_t*>(base), size, std::move(owner)});
    return true;
}

void ForgetMemoryRegion(const void* base) {
    auto& regions = Regions();
    for (size_t i = 0; i < regions.size(); ++i) {
        if (regions[i].base == base) {
            regions.erase(regions.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

bool FindMemoryRegion(const char* name, MemoryRegion& region) {
    region = MemoryRegion{};
    if (!IsMemoryName(name)) return false;
    size_t length = std::strlen(name);
    if (length < 16 || name[14] != '.') return false;
    uint64_t size = 0;
    uint64_t address = 0;
    if (!ParseHexField(name + 6, name + 14, size) || !ParseHexField(name + 15, name + length, address)) return false;
    for (const Registered& r : Regions()) {
        uint64_t start = reinterpret_cast<uintptr_t>(r.base);
        if (address < start || address - start > r.size || size > r.size - (address - start)) continue;
        region.base = r.base + (address - start);
        region.size = static_cast<size_t>(size);
        region.owner = r.owner;
        return true;
    }
    return false;
}

}  // namespace tvk
