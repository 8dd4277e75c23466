// The line store: one text file at a time held as 256 numbered lines.
#pragma once

namespace tvk {

constexpr int kLineFileLines = 256;

// Writes the store to its file when it holds changes (never to a mem:// name); the lines stay.
void WriteBackLineFile();

}  // namespace tvk
