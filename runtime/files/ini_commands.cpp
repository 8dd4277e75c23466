// OpenIni, IniRead and IniWrite over the one process-wide INI table.
#include <cstdio>
#include <string>

#include "base/error_codes.h"
#include "files/file_names.h"
#include "files/file_stream.h"
#include "files/ini_store.h"
#include "files/ini_table.h"
#include "files/line_files_write_back.h"
#include "files/resolver.h"
#include "tarnvik/core.h"
#include "tarnvik/files.h"

namespace tvk {

namespace {

struct IniState {
    std::string name;       // the resolver's answer at opening; "" = no file
    std::string writePath;  // where the write-back goes: the program's name, anchored
    bool dirty = false;
    IniTable table;
};

IniState g_ini;

void LoadIni(const char* answer) {
    FileStream in;
    if (!answer[0] || !in.OpenRead(answer)) return;
    // Read whole, so values of any length and every byte of them survive a write-back.
    std::string text(static_cast<size_t>(in.Size()), '\0');
    text.resize(in.ReadUpTo(text.data(), text.size()));
    ParseIniText(text, g_ini.table);
}

// Names and values with every byte, zero bytes included.
std::string Bytes(const RtString& text) { return std::string(text.c_str(), text.Length()); }

void RefuseIniWrite(const char* why) {
    std::string message = std::string("IniWrite refused: ") + why;
    WriteErrorLog(message.c_str());
    std::fprintf(stderr, "%s\n", message.c_str());
    SetErrorCode(kErrorOutOfBounds);  // the program can read why nothing was written
}

}  // namespace

void WriteBackIni() {
    if (!g_ini.dirty || g_ini.writePath.empty()) return;
    g_ini.dirty = false;
    ReplaceFileContents(g_ini.writePath, g_ini.table.WrittenForm());
}

}  // namespace tvk

using tvk::g_ini;

void OpenIni(const RtString& name) {
    tvk::WriteBackIni();
    g_ini.dirty = false;
    g_ini.table = tvk::IniTable();
    g_ini.name.clear();
    g_ini.writePath.clear();
    if (name.Empty()) return;
    tvk::ArmExitWriteBack();
    char answer[tvk::kPathBufferSize];
    tvk::ResolveFileName(tvk::g_memoryResolver, name.c_str(), answer, 1);
    g_ini.name = answer;
    // Changes go where a loose file of that name would be, even when the file was read from the
    // packed archive or does not exist yet.
    g_ini.writePath = tvk::AnchoredPath(name.c_str());
    tvk::LoadIni(answer);
}

RtString IniRead(const RtString& section, const RtString& key, const RtString& fallback) {
    tvk::IniSection* found = g_ini.table.FindSection(tvk::Bytes(section));
    tvk::IniKey* entry = found ? tvk::IniTable::FindKey(*found, tvk::Bytes(key)) : nullptr;
    if (!entry) return fallback;
    RtString value;
    value.Assign(entry->value.data(), static_cast<uint32_t>(entry->value.size()));
    return value;
}

void IniWrite(const RtString& section, const RtString& key, const RtString& value) {
    auto& sections = g_ini.table.sections;
    const std::string sectionName = tvk::Bytes(section);
    const std::string keyName = tvk::Bytes(key);
    if (key.Empty()) {
        // The section goes; the last one takes its place.
        if (tvk::IniSection* found = g_ini.table.FindSection(sectionName)) {
            if (found != &sections.back()) *found = std::move(sections.back());
            sections.pop_back();
            g_ini.dirty = true;
        }
        return;
    }
    tvk::IniSection* found = g_ini.table.FindSection(sectionName);
    tvk::IniKey* entry = found ? tvk::IniTable::FindKey(*found, keyName) : nullptr;
    if (!value.Empty()) {
        // Refused rather than written as lines that would read back as other sections or keys;
        // the old value stays.
        if (const char* why = tvk::UnwritableIniEntry(sectionName, keyName, tvk::Bytes(value))) {
            tvk::RefuseIniWrite(why);
            return;
        }
        if (!found) {
            sections.push_back({sectionName, {}});
            found = &sections.back();
        }
        g_ini.dirty = true;
        if (entry) {
            entry->value = tvk::Bytes(value);
        } else {
            found->keys.push_back({keyName, tvk::Bytes(value)});
        }
        return;
    }
    if (!entry) return;  // nothing to remove, and no empty section is left behind
    g_ini.dirty = true;
    if (entry != &found->keys.back()) *entry = std::move(found->keys.back());
    found->keys.pop_back();
}
