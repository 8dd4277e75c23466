// The line store: one text file at a time held as 256 numbered lines.
//
// A write-back keeps every line the program did not change byte for byte (zero bytes, any length)
// with its own line end (CR LF, LF or CR), and the file beyond line 255 as it was. Changed lines
// keep the line end of the line they replace; lines the file did not have, and a last line that
// had none, get the file's first line end (CR LF for a new file or a file of one line).
#pragma once

#include "files/line_slots.h"

namespace tvk {

// Writes the store to its file when it holds changes (never to a mem:// name); the lines stay.
void WriteBackLineFile();

}  // namespace tvk
