// Runs a program as a child process for tests that must see a whole run: its output,
// its exit code, and the files it leaves behind.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tvk::test {

struct ChildResult {
    int exitCode = -1;  // -1 when it did not exit normally
    std::string out;    // standard output
    std::string err;    // standard error
};

// Starts `program` with `args`, the current environment plus `env` (a value of "" removes
// the variable), and waits at most `timeoutSeconds` before killing it.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const std::map<std::string, std::string>& env = {}, int timeoutSeconds = 30);

// A fresh empty directory under the system's temporary directory.
std::string MakeTempDir();
std::string ReadFile(const std::string& path);

}  // namespace tvk::test
