#include "program_launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace tvkdebug {
namespace {

[[noreturn]] void ExecChild(const std::vector<std::string>& program, pid_t debugger, int channelWrite,
                            int failureWrite) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != debugger) _exit(127);  // the debugger died before the line above
    int inherited = dup(channelWrite);      // a copy without close-on-exec
    if (inherited >= 0) setenv("TVK_DEBUG_FD", std::to_string(inherited).c_str(), 1);
    std::vector<char*> argv;
    for (const std::string& arg : program) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    int error = errno;
    ssize_t ignored = write(failureWrite, &error, sizeof(error));
    (void)ignored;
    _exit(127);
}

}  // namespace

LaunchedProgram LaunchWithChannel(const std::vector<std::string>& program) {
    LaunchedProgram launched;
    if (program.empty()) {
        launched.error = "no program given";
        return launched;
    }
    int channel[2], failure[2];
    if (pipe2(channel, O_CLOEXEC) != 0) {
        launched.error = std::strerror(errno);
        return launched;
    }
    if (pipe2(failure, O_CLOEXEC) != 0) {
        launched.error = std::strerror(errno);
        close(channel[0]);
        close(channel[1]);
        return launched;
    }
    pid_t debugger = getpid();
    pid_t pid = fork();
    if (pid == 0) ExecChild(program, debugger, channel[1], failure[1]);
    close(channel[1]);
    close(failure[1]);
    if (pid < 0) {
        launched.error = std::strerror(errno);
        close(channel[0]);
        close(failure[0]);
        return launched;
    }
    // The failure pipe closes on a successful exec; an errno arrives when it failed.
    int error = 0;
    ssize_t n;
    do {
        n = read(failure[0], &error, sizeof(error));
    } while (n < 0 && errno == EINTR);
    close(failure[0]);
    if (n == static_cast<ssize_t>(sizeof(error))) {
        waitpid(pid, nullptr, 0);
        close(channel[0]);
        launched.error = "cannot start " + program[0] + ": " + std::strerror(error);
        return launched;
    }
    launched.pid = pid;
    launched.channel = channel[0];
    return launched;
}

int ReadPtraceScope(const std::string& path) {
    std::ifstream in(path);
    int scope = -1;
    if (!(in >> scope)) return -1;
    return scope;
}

bool HasPtraceCapability(const std::string& statusPath) {
    constexpr unsigned kCapSysPtrace = 19;
    std::ifstream in(statusPath);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("CapEff:", 0) != 0) continue;
        unsigned long long mask = std::strtoull(line.c_str() + 7, nullptr, 16);
        return (mask >> kCapSysPtrace) & 1;
    }
    return false;
}

std::string MemoryAccessProblem(int scope, bool privileged) {
    if (scope >= 3) {
        return "the kernel forbids reading other processes' memory (kernel.yama.ptrace_scope = 3)";
    }
    if (scope == 2 && !privileged) {
        return "only privileged debuggers may read other processes' memory (kernel.yama.ptrace_scope = 2);"
               " run as root or with CAP_SYS_PTRACE, or set the scope to 1";
    }
    return {};
}

}  // namespace tvkdebug
