// One debugging session: the program runs, its texts are shown, and at every stop the user
// looks at it and decides how it goes on.
#pragma once

#include <string>
#include <vector>

#include "commands.h"

namespace tvkdebug {

struct SessionOptions {
    std::vector<Breakpoint> breakpoints;
    bool runToBreakpoint = false;  // do not stop at the first statement
    std::vector<std::string> program;
};

// Starts the program and debugs it to its end, taking commands from standard input. Returns
// the program's exit code (128 + the signal when it was killed), 2 when it could not start.
int RunSession(const SessionOptions& options);

}  // namespace tvkdebug
