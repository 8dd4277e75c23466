// Starting the program under the debugger: a pipe whose write end the program finds in
// TVK_DEBUG_FD, and the kernel's say on whether we may read its memory.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tvkdebug {

struct LaunchedProgram {
    pid_t pid = -1;
    int channel = -1;   // read end of the debugger channel
    std::string error;  // why it could not start
};

// Starts program[0] (searched on PATH) with its arguments. The program dies with the debugger,
// so it is never left stopped with nobody to resume it.
LaunchedProgram LaunchWithChannel(const std::vector<std::string>& program);

// The Yama ptrace scope from the given file; -1 when the kernel has no Yama.
int ReadPtraceScope(const std::string& path = "/proc/sys/kernel/yama/ptrace_scope");
// Whether this process holds CAP_SYS_PTRACE, from a /proc status file.
bool HasPtraceCapability(const std::string& statusPath = "/proc/self/status");
// Empty when a parent may read its child's memory under this scope; otherwise the reason.
std::string MemoryAccessProblem(int scope, bool privileged);

}  // namespace tvkdebug
