// Debugger text, assertions and the standard streams.
#include <cstdio>
#include <cstring>
#include <string>

#include "base/debugger_channel.h"
#include "base/error_codes.h"
#include "base/fatal_error.h"
#include "tarnvik/core.h"

void DebugPrint(const RtString& text) {
    std::string message = std::string("TX") + text.c_str();
    tvk::SendDebuggerText(message.c_str());
}

void Assert(int32_t value) {
    if (value != 0) return;
    tvk::SendDebuggerText("TXAssertion: Value = 0\n");
    tvk::EndOnFatalError(tvk::kErrorAssertionFailed, "assertion failed");
}

void WriteStdout(const RtString& text) { std::printf("%s", text.c_str()); }
void WriteStderr(const RtString& text) { std::fprintf(stderr, "%s", text.c_str()); }

RtString ReadStdinLine() {
    // At most 4094 characters per call; the rest of a longer line comes with the next call.
    char buffer[4096];
    if (!std::fgets(buffer, 4095, stdin)) return RtString();
    size_t n = std::strlen(buffer);
    if (n > 0 && buffer[n - 1] == '\n') buffer[n - 1] = 0;
    return RtString(buffer);
}

void OpenConsole() {
    // The standard streams already exist for a program started from a terminal.
}
