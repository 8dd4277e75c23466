// Starting other programs.
#pragma once

#include <string>

namespace tvk::platform {

// Runs the command line through /bin/sh -c. False when the program it names cannot be
// found (so it could not start). With wait, blocks until it ends and stores its exit code.
bool RunShellCommand(const std::string& commandLine, bool wait, int* exitCode);

}  // namespace tvk::platform
