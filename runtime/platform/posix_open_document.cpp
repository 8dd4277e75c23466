// Opening a document with the desktop's opener (xdg-open).
#include <spawn.h>
#include <sys/types.h>

#include <string>

#include "platform/system.h"

extern char** environ;

namespace tvk::platform {

bool OpenWithDesktop(const std::string& target) {
    if (target.empty()) return false;
    std::string program = "xdg-open";
    char* argv[] = {program.data(), const_cast<char*>(target.c_str()), nullptr};
    pid_t pid = 0;
    // Not waited for: the opener lives on after the program has ended.
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ) == 0;
}

}  // namespace tvk::platform
