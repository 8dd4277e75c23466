// The line rules shared by every text reader: a line ends at LF, a CR right before it is dropped,
// a last line without LF still counts, and a line longer than kMaxLineLength bytes is split there.
#pragma once

#include <cstddef>
#include <string>

#include "files/file_stream.h"

namespace tvk {

constexpr size_t kMaxLineLength = 1023;

// The next line without its line end, cut at a zero byte. False when no byte at all was left.
// A memory stream's bytes are never modified.
bool ReadTextLine(FileStream& stream, std::string& line);

}  // namespace tvk
