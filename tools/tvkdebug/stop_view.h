// What the user sees at a stop: the position and the variables of the two tables.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "remote_memory.h"

namespace tvkdebug {

struct VariableView {
    std::string name;
    std::string value;
};

// At most this many entries of a table are shown, and this many characters of a text.
constexpr int32_t kMaxVariablesShown = 4096;
constexpr size_t kMaxTextShown = 256;

// Reads `count` entries starting at the first entry of a variable table.
std::vector<VariableView> ReadVariables(const RemoteMemory& memory, uint64_t firstEntry, int32_t count);

// Numbers with 10 significant digits, as the program prints them.
std::string FormatNumber(double value);
// A text in double quotes; control and non-ASCII bytes as \xNN; "..." when cut short.
std::string QuoteText(const std::string& bytes, bool cut);

// The stop as lines of text: position, then the globals and the locals.
std::string DescribeStop(int32_t file, int32_t line, const std::vector<VariableView>& globals,
                         const std::vector<VariableView>& locals);

}  // namespace tvkdebug
