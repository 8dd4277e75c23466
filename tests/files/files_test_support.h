// Helpers for the files tests: a scratch directory made current for each test, with its own
// temporary directory, and fresh resolvers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tvk::test {

class ScratchTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Paths relative to the scratch directory (which is current during the test).
    static void WriteFile(const std::string& path, const std::string& bytes);
    static std::string ReadFile(const std::string& path);
    static bool Exists(const std::string& path);
    // A file standing for a program: some bytes, then the archive of entries {name, content}.
    std::string WritePackedProgram(const std::string& path,
                                          const std::vector<std::pair<std::string, std::string>>& entries,
                                          bool fromEnd = true);

    std::string root_;     // absolute, with a trailing "/"
    std::string tempDir_;  // what the runtime uses as its temporary directory

private:
    std::string previousDirectory_;
    std::string previousTmp_;
};

// Runs a shell command; returns its exit status and what it printed on standard output.
int RunCommand(const std::string& command, std::string* output = nullptr);

// What FileStream reads from a path or mem:// name, or "<missing>".
std::string ContentOf(const char* name);

}  // namespace tvk::test
