// ReadTextLine, WriteTextLine and their number forms over the line store.
#include "files/line_files.h"

#include <array>
#include <cstring>
#include <string>

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
    std::array<std::string, kLineFileLines> lines;
    std::string rest;      // the file beyond the last line the store holds, kept as it was
    int lastLine = 0;
    bool dirty = false;
    bool missing = false;  // the recorded file could not be loaded
};

LineStore g_lines;

bool LineInRange(RtInt line) { return line >= 0 && line < kLineFileLines; }

void ClearStore() {
    for (std::string& line : g_lines.lines) line.clear();
    g_lines.rest.clear();
    g_lines.lastLine = 0;
    g_lines.dirty = false;
    g_lines.missing = false;
    g_lines.name.clear();
    g_lines.writePath.clear();
}

// A line ends at LF (a CR before it is dropped) and is cut at a zero byte; a last line without
// LF counts. Lines are kept whole, so writing the file back never shortens one.
void SplitIntoLines(const std::string& text) {
    size_t at = 0;
    int slot = 0;
    while (at < text.size() && slot < kLineFileLines) {
        size_t lf = text.find('\n', at);
        size_t end = lf == std::string::npos ? text.size() : lf;
        size_t length = end - at;
        if (lf != std::string::npos && length > 0 && text[end - 1] == '\r') --length;
        std::string& line = g_lines.lines[slot];
        line.assign(text, at, length);
        if (size_t zero = line.find('\0'); zero != std::string::npos) line.resize(zero);
        g_lines.lastLine = slot++;
        at = lf == std::string::npos ? text.size() : lf + 1;
    }
    g_lines.rest = text.substr(at);
}

bool LoadLines(const char* name) {
    char answer[kPathBufferSize];
    ResolveFileName(g_memoryResolver, name, answer, 1);
    FileStream in;
    if (!answer[0] || !in.OpenRead(answer)) return false;
    std::string text(static_cast<size_t>(in.Size()), '\0');
    text.resize(in.ReadUpTo(text.data(), text.size()));
    SplitIntoLines(text);
    return true;
}

// 0 when the file is held, 3 (with error 3) when it could not be loaded.
int SelectLineFile(const char* name) {
    // The same name keeps the lines held, even if the file changed on disk. A file that could not
    // be loaded is looked for again until the program writes into it.
    if (g_lines.name == name && (!g_lines.missing || g_lines.dirty)) return 0;
    WriteBackLineFile();
    ClearStore();
    ArmExitWriteBack();
    g_lines.name = name;
    g_lines.writePath = AnchoredPath(name);
    if (!LoadLines(name)) {
        // The name stays, so a later write creates the file.
        g_lines.missing = true;
        SetErrorCode(3);
        return 3;
    }
    return 0;
}

}  // namespace

void WriteBackLineFile() {
    if (!g_lines.dirty || g_lines.name.empty() || IsMemoryName(g_lines.name.c_str())) return;
    g_lines.dirty = false;
    std::string text;
    for (int i = 0; i <= g_lines.lastLine; ++i) text += g_lines.lines[i] + "\r\n";
    if (g_lines.lastLine == kLineFileLines - 1) text += g_lines.rest;
    ReplaceFileContents(g_lines.writePath, text);
}

}  // namespace tvk

using tvk::g_lines;

RtNumber ReadTextLine(const RtString& file, RtInt line, RtString& target) {
    if (!tvk::LineInRange(line)) {
        target = "NO_DATA";
        SetErrorCode(7);
        return 7;
    }
    if (tvk::SelectLineFile(file.c_str()) != 0) {
        target = "NO_FILE";
        return 3;
    }
    const std::string& text = g_lines.lines[line];
    size_t length = text.size();
    while (length > 0 && static_cast<unsigned char>(text[length - 1]) < 32) --length;
    target.Assign(text.c_str(), static_cast<uint32_t>(length));
    SetErrorCode(0);
    return 0;
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
        SetErrorCode(7);
        return;
    }
    tvk::SelectLineFile(file.c_str());
    SetErrorCode(0);  // a file that does not exist yet is created by the write-back
    g_lines.lines[line].assign(text.c_str());  // a line ends at a zero byte
    if (g_lines.lastLine < line) g_lines.lastLine = line;
    g_lines.dirty = true;
}

void WriteTextLineNumber(const RtString& file, RtInt line, RtNumber value) { WriteTextLine(file, line, RtString(value)); }
