// The user's commands at a stop, and the breakpoints the debugger keeps.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tvkdebug {

enum class CommandKind {
    StepOver,
    StepInto,
    StepOut,
    Run,
    ToggleBreakpoint,
    ListBreakpoints,
    ShowVariables,
    End,
    Help,
    Repeat,  // an empty line: the last stepping command again
    Invalid,
};

struct Breakpoint {
    int32_t file = 0;
    int32_t line = 0;
    bool operator==(const Breakpoint&) const = default;
};

struct Command {
    CommandKind kind = CommandKind::Invalid;
    Breakpoint where;  // ToggleBreakpoint
};

Command ParseCommand(const std::string& text);
// "FILE:LINE" with two decimal numbers; FILE is the program's source-file index.
std::optional<Breakpoint> ParseBreakpoint(const std::string& text);

class BreakpointList {
public:
    static constexpr size_t kCapacity = 1024;  // what the program's arrays hold
    enum class Toggle { Added, Removed, Full };
    Toggle Flip(Breakpoint b);
    const std::vector<Breakpoint>& Entries() const { return entries_; }

private:
    std::vector<Breakpoint> entries_;
};

extern const char* const kHelpText;

}  // namespace tvkdebug
