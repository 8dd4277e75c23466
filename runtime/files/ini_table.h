// The in-memory table of an INI file: parsing its lines and writing it out again.
#pragma once

#include <string>
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

    // First section or key of that name, ignoring the case of A-Z; null when there is none.
    IniSection* FindSection(const std::string& name);
    static IniKey* FindKey(IniSection& section, const std::string& name);
    // Every section as "[name]" and its keys as "key=value", each line ending in CR LF.
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

bool EqualIgnoringCase(const std::string& a, const std::string& b);

}  // namespace tvk
