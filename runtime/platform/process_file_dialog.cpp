// File dialogs through the desktop's chooser programs.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/system.h"
#include "platform/text_encoding.h"

extern char** environ;

namespace tvk::platform {
namespace {

bool OnPath(const std::string& program) {
    std::string path = GetEnvironment("PATH");
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        std::string candidate = path.substr(start, end - start) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

// Runs the program and returns what it printed on standard output, or empty on failure.
std::string Capture(const std::vector<std::string>& args) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return std::string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    std::string out;
    if (rc == 0) {
        char chunk[512];
        ssize_t n;
        while ((n = read(pipeFds[0], chunk, sizeof(chunk))) > 0) out.append(chunk, static_cast<size_t>(n));
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) out.clear();
    }
    close(pipeFds[0]);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

std::string SpacedPatterns(const std::string& pattern) {
    std::string out = pattern;
    for (char& c : out)
        if (c == ';') c = ' ';
    return out;
}

}  // namespace

std::string RunFileDialog(bool open, const std::vector<FileFilter>& filters, const std::string& directory) {
    std::string dir = directory.empty() || directory.back() == '/' ? directory : directory + "/";
    std::vector<std::string> args;
    if (OnPath("zenity")) {
        args = {"zenity", "--file-selection", "--filename=" + Latin1ToUtf8(dir.c_str())};
        if (!open) args.push_back("--save");
        for (const FileFilter& f : filters)
            args.push_back("--file-filter=" + Latin1ToUtf8(f.description.c_str()) + " | " + SpacedPatterns(f.pattern));
    } else if (OnPath("kdialog")) {
        std::string filter;
        for (const FileFilter& f : filters) {
            if (!filter.empty()) filter += "\n";
            filter += SpacedPatterns(f.pattern) + "|" + Latin1ToUtf8(f.description.c_str());
        }
        args = {"kdialog", open ? "--getopenfilename" : "--getsavefilename", Latin1ToUtf8(dir.c_str())};
        if (!filter.empty()) args.push_back(filter);
    } else {
        return std::string();
    }
    return Utf8ToLatin1(Capture(args).c_str());
}

}  // namespace tvk::platform
