#include "commands.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>

namespace tvkdebug {
namespace {

std::optional<int32_t> ParseNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (*end || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(value);
}

CommandKind KindOf(const std::string& word) {
    static const struct {
        const char* name;
        CommandKind kind;
    } names[] = {
        {"n", CommandKind::StepOver},   {"next", CommandKind::StepOver},     {"over", CommandKind::StepOver},
        {"s", CommandKind::StepInto},   {"step", CommandKind::StepInto},     {"into", CommandKind::StepInto},
        {"o", CommandKind::StepOut},    {"out", CommandKind::StepOut},       {"finish", CommandKind::StepOut},
        {"r", CommandKind::Run},        {"run", CommandKind::Run},           {"c", CommandKind::Run},
        {"continue", CommandKind::Run}, {"b", CommandKind::ToggleBreakpoint}, {"break", CommandKind::ToggleBreakpoint},
        {"l", CommandKind::ListBreakpoints}, {"list", CommandKind::ListBreakpoints},
        {"v", CommandKind::ShowVariables}, {"vars", CommandKind::ShowVariables},
        {"e", CommandKind::End},        {"end", CommandKind::End},           {"q", CommandKind::End},
        {"quit", CommandKind::End},     {"h", CommandKind::Help},            {"help", CommandKind::Help},
        {"?", CommandKind::Help},
    };
    for (const auto& n : names) {
        if (word == n.name) return n.kind;
    }
    return CommandKind::Invalid;
}

}  // namespace

std::optional<Breakpoint> ParseBreakpoint(const std::string& text) {
    size_t colon = text.find(':');
    if (colon == std::string::npos) return std::nullopt;
    auto file = ParseNumber(text.substr(0, colon));
    auto line = ParseNumber(text.substr(colon + 1));
    if (!file || !line) return std::nullopt;
    return Breakpoint{*file, *line};
}

Command ParseCommand(const std::string& text) {
    std::istringstream in(text);
    std::string word, argument, extra;
    in >> word >> argument >> extra;
    if (word.empty()) return {CommandKind::Repeat, {}};
    Command command{KindOf(word), {}};
    if (!extra.empty()) return {CommandKind::Invalid, {}};
    if (command.kind == CommandKind::ToggleBreakpoint) {
        if (argument.empty()) return {CommandKind::ListBreakpoints, {}};  // "b" alone lists them
        auto where = ParseBreakpoint(argument);
        if (!where) return {CommandKind::Invalid, {}};
        command.where = *where;
    } else if (!argument.empty()) {
        return {CommandKind::Invalid, {}};
    }
    return command;
}

BreakpointList::Toggle BreakpointList::Flip(Breakpoint b) {
    auto found = std::find(entries_.begin(), entries_.end(), b);
    if (found != entries_.end()) {
        entries_.erase(found);
        return Toggle::Removed;
    }
    if (entries_.size() >= kCapacity) return Toggle::Full;
    entries_.push_back(b);
    return Toggle::Added;
}

const char* const kHelpText =
    "  n, next          step over: the next statement in this function or its caller\n"
    "  s, step          step into: the next statement, inside a called function too\n"
    "  o, out           step out: the first statement after this function returns\n"
    "  c, run           run to the next breakpoint\n"
    "  b FILE:LINE      set or clear a breakpoint (FILE is the source-file index)\n"
    "  b, list          list the breakpoints\n"
    "  v, vars          show the variables again\n"
    "  e, end           end the program\n"
    "  (empty line)     repeat the last step or run command\n";

}  // namespace tvkdebug
