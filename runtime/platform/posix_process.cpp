#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <set>
#include <string>

#include "platform/process.h"
#include "platform/system.h"

extern char** environ;

namespace tvk::platform {
namespace {

// The first word of the command line, without quotes.
std::string ProgramName(const std::string& commandLine) {
    size_t i = commandLine.find_first_not_of(" \t");
    if (i == std::string::npos) return std::string();
    if (commandLine[i] == '"' || commandLine[i] == '\'') {
        size_t end = commandLine.find(commandLine[i], i + 1);
        return commandLine.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
    }
    size_t end = commandLine.find_first_of(" \t", i);
    return commandLine.substr(i, end == std::string::npos ? std::string::npos : end - i);
}

bool ProgramExists(const std::string& name) {
    static const std::set<std::string> kShellBuiltins = {":", "[", "cd", "echo", "exec", "exit", "false",
                                                         "kill", "printf", "test", "true", "wait"};
    if (name.empty()) return false;
    if (kShellBuiltins.count(name)) return true;
    if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0;
    std::string path = GetEnvironment("PATH");
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        std::string dir = path.substr(start, end - start);
        if (access(((dir.empty() ? "." : dir) + "/" + name).c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

bool RunShellCommand(const std::string& commandLine, bool wait, int* exitCode) {
    if (!ProgramExists(ProgramName(commandLine))) return false;
    // Without waiting, an outer shell starts the command in the background and ends at
    // once, so the program never leaves a zombie behind.
    const char* waited[] = {"/bin/sh", "-c", commandLine.c_str(), nullptr};
    const char* detached[] = {"/bin/sh", "-c", "/bin/sh -c \"$0\" &", commandLine.c_str(), nullptr};
    pid_t pid = 0;
    char** argv = const_cast<char**>(wait ? waited : detached);
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0) return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (wait && exitCode) *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

}  // namespace tvk::platform
