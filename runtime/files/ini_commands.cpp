// OpenIni, IniRead and IniWrite over the one process-wide INI table.
#include <string>

#include "files/file_names.h"
#include "files/file_stream.h"
#include "files/ini_store.h"
#include "files/ini_table.h"
#include "files/line_files_write_back.h"
#include "files/line_reader.h"
#include "files/resolver.h"
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
    IniParser parser(g_ini.table);
    std::string line;
    while (ReadTextLine(in, line)) parser.ParseLine(line);
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
    g_ini.table.sections.clear();
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
    tvk::IniSection* found = g_ini.table.FindSection(section.c_str());
    tvk::IniKey* entry = found ? tvk::IniTable::FindKey(*found, key.c_str()) : nullptr;
    return entry ? RtString(entry->value.c_str()) : fallback;
}

void IniWrite(const RtString& section, const RtString& key, const RtString& value) {
    auto& sections = g_ini.table.sections;
    if (key.Empty()) {
        // The section goes; the last one takes its place.
        if (tvk::IniSection* found = g_ini.table.FindSection(section.c_str())) {
            if (found != &sections.back()) *found = std::move(sections.back());
            sections.pop_back();
            g_ini.dirty = true;
        }
        return;
    }
    tvk::IniSection* found = g_ini.table.FindSection(section.c_str());
    if (!found) {
        sections.push_back({section.c_str(), {}});
        found = &sections.back();
    }
    tvk::IniKey* entry = tvk::IniTable::FindKey(*found, key.c_str());
    if (!entry) {
        if (value.Empty()) return;
        found->keys.push_back({key.c_str(), value.c_str()});
        g_ini.dirty = true;
        return;
    }
    g_ini.dirty = true;
    if (!value.Empty()) {
        entry->value = value.c_str();
        return;
    }
    if (entry != &found->keys.back()) *entry = std::move(found->keys.back());
    found->keys.pop_back();
}
