// Boyer-Moore-Horspool search over counted byte ranges.
#pragma once

#include <cstdint>

namespace tvk {

// Offset of the first occurrence of needle in haystack, or -1. A null or empty needle never
// matches.
int64_t FindBytes(const char* haystack, uint32_t haystackSize, const char* needle, uint32_t needleSize);

}  // namespace tvk
