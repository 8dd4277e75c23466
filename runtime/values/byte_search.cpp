#include "values/byte_search.h"

#include <cstring>

namespace tvk {

int64_t FindBytes(const char* haystack, uint32_t haystackSize, const char* needle, uint32_t needleSize) {
    if (!haystack || !needle || needleSize == 0 || haystackSize < needleSize) return -1;
    if (haystackSize == needleSize) return std::memcmp(haystack, needle, needleSize) == 0 ? 0 : -1;

    const auto* hay = reinterpret_cast<const unsigned char*>(haystack);
    const auto* pat = reinterpret_cast<const unsigned char*>(needle);
    uint32_t skip[256];
    for (uint32_t& s : skip) s = needleSize;
    const uint32_t last = needleSize - 1;
    for (uint32_t i = 0; i < last; ++i) skip[pat[i]] = last - i;

    for (uint32_t pos = 0; haystackSize - pos >= needleSize; pos += skip[hay[pos + last]]) {
        if (hay[pos + last] != pat[last]) continue;
        uint32_t i = last;
        while (i > 0 && hay[pos + i - 1] == pat[i - 1]) --i;
        if (i == 0) return pos;
    }
    return -1;
}

}  // namespace tvk
