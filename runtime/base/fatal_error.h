// The one way a runtime error ends a program: the code is recorded, the user is told why.
#pragma once

#include <cstdint>
#include <string>

namespace tvk {

// "Fatal error <code>: <what>", with " on line <line>" when line tracking gave a line (> 0).
std::string FatalErrorLine(int32_t code, const std::string& what, int32_t line);

// Records the code, writes FatalErrorLine to standard error and the error log, and ends the
// program (exit code 0). Returns only while the program is already ending.
void EndOnFatalError(int32_t code, const std::string& what);

}  // namespace tvk
