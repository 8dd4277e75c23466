// The last-error record: the code a command recorded and where the program was.
#pragma once

#include <cstdint>

namespace tvk {

struct LastErrorRecord {
    int32_t code = 0;
    int32_t recordedLine = 0;  // current line when the code was recorded
    int32_t currentLine = 0;   // set by line tracking
    int32_t currentFile = 0;
};

LastErrorRecord& LastError();
// Code 0, recorded line 0, current line 0 (the entry routine does this after start-up).
void ClearLastError();

}  // namespace tvk
