// The console and the command line.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/system.h"
#include "tarnvik/core.h"
#include "tarnvik/values.h"

namespace {

constexpr int kConsoleLineBuffer = 4096;

RtString& StoredCommandLine() {
    static RtString text;
    return text;
}

}  // namespace

RtString ReadConsoleLine() {
    char line[kConsoleLineBuffer];
    // At most 4094 characters and the line end; a longer line comes in pieces.
    if (!std::fgets(line, kConsoleLineBuffer - 1, stdin)) return RtString();
    size_t n = std::strlen(line);
    if (n && line[n - 1] == '\n') {
        line[--n] = 0;
        if (n && line[n - 1] == '\r') line[--n] = 0;  // input from a CR LF file
    }
    return RtString(line);
}

RtString CommandLine() { return StoredCommandLine(); }

void SetCommandLine(const RtString& text) { StoredCommandLine() = text; }
