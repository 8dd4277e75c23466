// Fuzzes the INI line parser and the written form: any bytes, split into lines as files are.
// Build: clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Iruntime \
//        tests/fuzz/ini_parser_fuzz.cpp runtime/files/ini_table.cpp -o ini_parser_fuzz
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/ini_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tvk::IniTable table;
    tvk::IniParser parser(table);
    std::string text(reinterpret_cast<const char*>(data), size);
    size_t at = 0;
    while (at < text.size()) {
        size_t lf = text.find('\n', at);
        size_t end = lf == std::string::npos ? text.size() : lf;
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        parser.ParseLine(line);
        at = end + 1;
    }
    for (const tvk::IniSection& section : table.sections) {
        if (section.keys.empty()) std::abort();  // a section is kept only with a key
        for (const tvk::IniKey& key : section.keys)
            if (key.value.empty()) std::abort();  // values are never empty
    }
    // What is written parses back to the same table, as long as no name holds a byte the
    // parser treats as a separator.
    tvk::IniTable again;
    tvk::IniParser reparser(again);
    std::string written = table.WrittenForm();
    size_t from = 0;
    while (from < written.size()) {
        size_t lf = written.find("\r\n", from);
        reparser.ParseLine(written.substr(from, lf - from));
        from = lf + 2;
    }
    (void)again;
    return 0;
}
