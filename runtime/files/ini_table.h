// The in-memory table of an INI file: parsing its text and writing it out again.
//
// What a write-back keeps: every section in table order as "[" name "]", each followed by its
// keys as key "=" value, all bytes of names and values as they are held (zero bytes too), each
// line ended by the file's own line end (its first one; CR LF for a new file or a file of one
// line). What it drops: comments, blank lines, sections without keys, spaces and tabs before a name
// and around "=" (so at the start of a value), anything after a header's name, bytes below 32 at
// the end of a value, and the other line ends of a file that mixed several kinds. A section before
// the first header is written under "[]". So an unchanged table read from a
// file is written back to a text that reads back to the same table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tvk {

struct IniKey {
    std::string name;
    std::string value;  // never empty: an empty value means the key does not exist
};

struct IniSection {
    std::string name;
    std::vector<IniKey> keys;
};

struct IniTable {
    std::vector<IniSection> sections;
    std::string lineEnd = "\r\n";  // what the written form ends its lines with

    // First section or key of that name, ignoring the case of A-Z; null when there is none.
    IniSection* FindSection(const std::string& name);
    static IniKey* FindKey(IniSection& section, const std::string& name);
    // Every section as "[name]" and its keys as "key=value", each line ending in lineEnd.
    std::string WrittenForm() const;
};

// Parses a file line by line. A header only becomes a section once a key follows it.
class IniParser {
public:
    explicit IniParser(IniTable& table) : table_(table) {}
    // One line without its line end.
    void ParseLine(const std::string& line);

private:
    IniTable& table_;
    std::string pendingSection_;
    bool sectionOpen_ = false;  // a section of the pending name has been added for this header
};

// The whole text of a file into an empty table: lines of any length, ended by CR LF, LF or CR.
void ParseIniText(std::string_view text, IniTable& table);

// Why the written form cannot hold this section, key and value so that they read back as
// themselves and nothing else; null when it can. A section name cannot hold a space, tab, CR, LF
// or "="; a key not those either, nor start with ";" or "["; a value cannot hold CR or LF.
const char* UnwritableIniEntry(std::string_view section, std::string_view key, std::string_view value);

bool EqualIgnoringCase(const std::string& a, const std::string& b);

}  // namespace tvk
