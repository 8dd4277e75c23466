#include "stop_view.h"

#include <algorithm>
#include <cstdio>

namespace tvkdebug {
namespace {

// Entries and values as the runtime lays them out (see tarnvik/debug.h and rt_string.h).
struct RemoteEntry {
    uint64_t name;
    int64_t type;
    uint64_t address;
};
struct RemoteString {
    uint64_t buffer;
    uint32_t capacity;
    uint32_t length;
};
static_assert(sizeof(RemoteEntry) == 24 && sizeof(RemoteString) == 16);

constexpr size_t kMaxNameShown = 128;

std::string ReadValue(const RemoteMemory& memory, const RemoteEntry& entry) {
    switch (entry.type) {
        case 0: {
            double number = 0;
            if (!memory.Read(entry.address, &number, sizeof(number))) return "<unreadable>";
            return FormatNumber(number);
        }
        case 1: {
            RemoteString s{};
            if (!memory.Read(entry.address, &s, sizeof(s))) return "<unreadable>";
            size_t shown = std::min<size_t>(s.length, kMaxTextShown);
            std::string bytes(shown, '\0');
            if (!memory.Read(s.buffer, bytes.data(), shown)) return "<unreadable>";
            return QuoteText(bytes, shown < s.length);
        }
        case 2: return "<array>";
        default: return "<type " + std::to_string(entry.type) + ">";
    }
}

void AppendTable(std::string& out, const char* title, const std::vector<VariableView>& table) {
    if (table.empty()) return;
    out += "  ";
    out += title;
    out += ":\n";
    for (const VariableView& v : table) out += "    " + v.name + " = " + v.value + "\n";
}

}  // namespace

std::vector<VariableView> ReadVariables(const RemoteMemory& memory, uint64_t firstEntry, int32_t count) {
    std::vector<VariableView> views;
    count = std::clamp(count, 0, kMaxVariablesShown);
    for (int32_t i = 0; i < count; ++i) {
        RemoteEntry entry{};
        if (!memory.Read(firstEntry + static_cast<uint64_t>(i) * sizeof(RemoteEntry), &entry, sizeof(entry))) {
            views.push_back({"?", "<unreadable table>"});
            break;
        }
        VariableView view;
        view.name = memory.ReadText(entry.name, kMaxNameShown).value_or("?");
        view.value = ReadValue(memory, entry);
        views.push_back(std::move(view));
    }
    return views;
}

std::string FormatNumber(double value) {
    char text[40];
    std::snprintf(text, sizeof(text), "%.10g", value);
    return text;
}

std::string QuoteText(const std::string& bytes, bool cut) {
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\x%02x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
    if (cut) out += "...";
    return out;
}

std::string DescribeStop(int32_t file, int32_t line, const std::vector<VariableView>& globals,
                         const std::vector<VariableView>& locals) {
    std::string out = "stopped at " + std::to_string(file) + ":" + std::to_string(line) + "\n";
    AppendTable(out, "globals", globals);
    AppendTable(out, "locals", locals);
    return out;
}

}  // namespace tvkdebug
