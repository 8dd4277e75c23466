// Round trips of the two stores that write files back. Any bytes read as an INI file and written
// back unchanged read back to the same table, and that second write-back is the first byte for
// byte. Any bytes read into the line store and written back unchanged are the same bytes, apart
// from a line end added to a last line that had none (and an empty file, which holds one line).
// Run through scripts/fuzz (TVK_FUZZ build): scripts/fuzz 600 ini_roundtrip_fuzz
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/ini_table.h"
#include "files/line_slots.h"

namespace {

bool SameSections(const tvk::IniTable& a, const tvk::IniTable& b) {
    if (a.sections.size() != b.sections.size()) return false;
    for (size_t i = 0; i < a.sections.size(); ++i) {
        const tvk::IniSection& x = a.sections[i];
        const tvk::IniSection& y = b.sections[i];
        if (x.name != y.name || x.keys.size() != y.keys.size()) return false;
        for (size_t k = 0; k < x.keys.size(); ++k) {
            if (x.keys[k].name != y.keys[k].name || x.keys[k].value != y.keys[k].value) return false;
        }
    }
    return true;
}

void IniRoundTrip(std::string_view text) {
    tvk::IniTable first;
    tvk::ParseIniText(text, first);
    for (const tvk::IniSection& section : first.sections) {
        if (section.keys.empty()) std::abort();  // a section is kept only with a key
        for (const tvk::IniKey& key : section.keys) {
            if (key.value.empty()) std::abort();  // values are never empty
            // What was read can be written as itself.
            if (tvk::UnwritableIniEntry(section.name, key.name, key.value)) std::abort();
        }
    }
    const std::string written = first.WrittenForm();
    tvk::IniTable second;
    tvk::ParseIniText(written, second);
    if (!written.empty() && second.lineEnd != first.lineEnd) std::abort();  // the file's own line end
    if (!SameSections(first, second)) std::abort();
    if (second.WrittenForm() != written) std::abort();
}

void LineRoundTrip(std::string_view text) {
    if (text.empty()) return;
    tvk::LineSlots slots;
    slots.Split(text);
    const std::string joined = slots.Joined();
    for (int i = 0; i <= slots.lastLine; ++i) {
        if (slots.lines[i].find_first_of("\r\n") != std::string::npos) std::abort();
    }
    std::string expected(text);
    const bool unterminated = text.back() != '\r' && text.back() != '\n';
    if (unterminated && slots.rest.empty()) expected += slots.newLineEnd;
    if (joined != expected) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    IniRoundTrip(text);
    LineRoundTrip(text);
    return 0;
}
