// ReadTextLine, WriteTextLine and their number forms over the line store.
#include "files/line_files.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "base/error_codes.h"
#include "files/file_names.h"
#include "files/file_stream.h"
#include "files/line_files_write_back.h"
#include "files/memory_names.h"
#include "files/resolver.h"
#include "tarnvik/core.h"
#include "tarnvik/files.h"

namespace tvk {

namespace {

struct LineStore {
    std::string name;       // as the program gave it; "" = none
    std::string writePath;  // where the write-back goes
    LineSlots slots;
    bool dirty = false;
    bool missing = false;  // the recorded file could not be loaded
};

LineStore g_lines;

bool LineInRange(RtInt line) { return line >= 0 && line < kLineFileLines; }

void ClearStore() {
    g_lines.slots = LineSlots();
    g_lines.dirty = false;
    g_lines.missing = false;
    g_lines.name.clear();
    g_lines.writePath.clear();
}

bool LoadLines(const char* name) {
    char answer[kPathBufferSize];
    ResolveFileName(g_memoryResolver, name, answer, 1);
    FileStream in;
    if (!answer[0] || !in.OpenRead(answer)) return false;
    std::string text(static_cast<size_t>(in.Size()), '\0');
    text.resize(in.ReadUpTo(text.data(), text.size()));
    g_lines.slots.Split(text);
    return true;
}

// 0 when the file is held, 3 (with error 3) when it could not be loaded.
int SelectLineFile(const char* name) {
    // The same name keeps the lines held, even if the file changed on disk. A file that could not
    // be loaded is looked for again until the program writes into it.
    if (g_lines.name == name && (!g_lines.missing || g_lines.dirty)) return kErrorSuccess;
    WriteBackLineFile();
    ClearStore();
    ArmExitWriteBack();
    g_lines.name = name;
    g_lines.writePath = AnchoredPath(name);
    if (!LoadLines(name)) {
        // The name stays, so a later write creates the file.
        g_lines.missing = true;
        SetErrorCode(kErrorNoSuchFile);
        return kErrorNoSuchFile;
    }
    return kErrorSuccess;
}

}  // namespace

void WriteBackLineFile() {
    if (!g_lines.dirty || g_lines.name.empty() || IsMemoryName(g_lines.name.c_str())) return;
    g_lines.dirty = false;
    ReplaceFileContents(g_lines.writePath, g_lines.slots.Joined());
}

}  // namespace tvk

using tvk::g_lines;

RtNumber ReadTextLine(const RtString& file, RtInt line, RtString& target) {
    if (!tvk::LineInRange(line)) {
        target = "NO_DATA";
        SetErrorCode(tvk::kErrorOutOfRange);
        return tvk::kErrorOutOfRange;
    }
    if (tvk::SelectLineFile(file.c_str()) != 0) {
        target = "NO_FILE";
        return tvk::kErrorNoSuchFile;
    }
    const std::string& text = g_lines.slots.lines[line];
    size_t length = text.size();
    while (length > 0 && static_cast<unsigned char>(text[length - 1]) < 32) --length;
    target.Assign(text.c_str(), static_cast<uint32_t>(length));
    SetErrorCode(tvk::kErrorSuccess);
    return tvk::kErrorSuccess;
}

RtNumber ReadTextLineNumber(const RtString& file, RtInt line) {
    RtString text;
    ReadTextLine(file, line, text);
    return StringToNumber(text);
}

RtInt ReadTextLineInt(const RtString& file, RtInt line) {
    RtString text;
    ReadTextLine(file, line, text);
    return StringToInt(text);
}

void WriteTextLine(const RtString& file, RtInt line, const RtString& text) {
    if (!tvk::LineInRange(line)) {
        SetErrorCode(tvk::kErrorOutOfRange);
        return;
    }
    std::string_view bytes(text.c_str(), text.Length());
    if (bytes.find_first_of("\r\n") != std::string_view::npos) {
        // It would read back as several lines; the old line stays.
        const char* message = "WriteTextLine refused: a line cannot hold a line end";
        WriteErrorLog(message);
        std::fprintf(stderr, "%s\n", message);
        SetErrorCode(tvk::kErrorOutOfBounds);  // the program can read why nothing was written
        return;
    }
    tvk::SelectLineFile(file.c_str());
    SetErrorCode(tvk::kErrorSuccess);  // a file that does not exist yet is created by the write-back
    g_lines.slots.lines[line].assign(bytes);
    if (g_lines.slots.lastLine < line) g_lines.slots.lastLine = line;
    g_lines.dirty = true;
}

void WriteTextLineNumber(const RtString& file, RtInt line, RtNumber value) { WriteTextLine(file, line, RtString(value)); }
