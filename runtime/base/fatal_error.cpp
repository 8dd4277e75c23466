// A program that ends on a runtime error says which, and where, before it goes.
#include "base/fatal_error.h"

#include <cstdio>

#include "base/last_error.h"
#include "tarnvik/core.h"

namespace tvk {

std::string FatalErrorLine(int32_t code, const std::string& what, int32_t line) {
    std::string text = "Fatal error " + std::to_string(code) + ": " + what;
    if (line > 0) text += " on line " + std::to_string(line);
    return text;
}

void EndOnFatalError(int32_t code, const std::string& what) {
    SetErrorCode(code);
    std::string text = FatalErrorLine(code, what, LastError().recordedLine);
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    WriteErrorLog(text.c_str());
    EndProgram();
}

}  // namespace tvk
