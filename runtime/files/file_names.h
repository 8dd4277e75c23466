// Program file names as the operating system needs them.
#pragma once

#include <cstddef>
#include <string>

namespace tvk {

// Program paths are limited to this many characters (plus the terminator).
constexpr size_t kMaxPathLength = 1023;
constexpr size_t kPathBufferSize = kMaxPathLength + 1;

// Backslashes become "/". False (and out empty) for a null or empty name or one over kMaxPathLength.
bool ToSystemPath(const char* name, std::string& out);

// The part after the last "/" or backslash.
const char* BaseName(const char* name);

}  // namespace tvk
