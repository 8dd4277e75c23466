#include "files/ini_table.h"

#include "files/text_lines.h"

namespace tvk {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

IniSection* IniTable::FindSection(const std::string& name) {
    for (IniSection& section : sections) {
        if (EqualIgnoringCase(section.name, name)) return &section;
    }
    return nullptr;
}

IniKey* IniTable::FindKey(IniSection& section, const std::string& name) {
    for (IniKey& key : section.keys) {
        if (EqualIgnoringCase(key.name, name)) return &key;
    }
    return nullptr;
}

std::string IniTable::WrittenForm() const {
    std::string text;
    for (const IniSection& section : sections) {
        text += "[" + section.name + "]" + lineEnd;
        for (const IniKey& key : section.keys) text += key.name + "=" + key.value + lineEnd;
    }
    return text;
}

void IniParser::ParseLine(const std::string& line) {
    size_t at = 0;
    while (at < line.size() && IsBlank(line[at])) ++at;
    if (at == line.size() || line[at] == ';') return;

    if (line[at] == '[') {
        ++at;
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        size_t end = at;
        while (end < line.size() && !IsBlank(line[end]) && line[end] != '=') ++end;
        pendingSection_ = line.substr(at, end - at);
        if (!pendingSection_.empty() && pendingSection_.back() == ']') pendingSection_.pop_back();
        sectionOpen_ = false;
        return;
    }

    size_t keyEnd = at;
    while (keyEnd < line.size() && !IsBlank(line[keyEnd]) && line[keyEnd] != '=') ++keyEnd;
    size_t equals = keyEnd;
    while (equals < line.size() && (line[equals] == ' ' || line[equals] == '\t')) ++equals;
    if (equals == line.size() || line[equals] != '=') return;
    size_t valueStart = equals + 1;
    while (valueStart < line.size() && IsBlank(line[valueStart])) ++valueStart;
    size_t valueEnd = line.size();
    while (valueEnd > valueStart && static_cast<unsigned char>(line[valueEnd - 1]) < 32) --valueEnd;
    if (valueEnd == valueStart) return;

    // Key lines before any header belong to the section named "", like those after "[]".
    if (!sectionOpen_) {
        table_.sections.push_back({pendingSection_, {}});
        sectionOpen_ = true;
    }
    table_.sections.back().keys.push_back(
        {line.substr(at, keyEnd - at), line.substr(valueStart, valueEnd - valueStart)});
}

void ParseIniText(std::string_view text, IniTable& table) {
    table.lineEnd = FirstLineEnd(text);
    IniParser parser(table);
    size_t at = 0;
    std::string_view line, end;
    while (NextTextLine(text, at, line, end)) parser.ParseLine(std::string(line));
}

const char* UnwritableIniEntry(std::string_view section, std::string_view key, std::string_view value) {
    // A blank or "=" would end the name early on reading; CR or LF would start another line.
    if (section.find_first_of(" \t\r\n=") != std::string_view::npos)
        return "a section name cannot hold a space, tab, line end or \"=\"";
    if (key.find_first_of(" \t\r\n=") != std::string_view::npos)
        return "a key cannot hold a space, tab, line end or \"=\"";
    // Such a line would read as a comment or as a section header.
    if (!key.empty() && (key[0] == ';' || key[0] == '['))
        return "a key cannot start with \";\" or \"[\"";
    if (value.find_first_of("\r\n") != std::string_view::npos) return "a value cannot hold a line end";
    return nullptr;
}

}  // namespace tvk
