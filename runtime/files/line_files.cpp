// ReadTextLine, WriteTextLine and their number forms over the line store.
#include "files/line_files.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "files/file_names.h"
#include "files/file_stream.h"
#include "files/line_files_write_back.h"
#include "files/memory_names.h"
#include "files/resolver.h"
#include "files/text_lines.h"
#include "tarnvik/core.h"
#include "tarnvik/files.h"

namespace tvk {

namespace {

struct LineStore {
    std::string name;       // as the program gave it; "" = none
    std::string writePath;  // where the write-back goes
    std::array<std::string, kLineFileLines> lines;
    // Each line's own line end as read; "" for lines the file did not have, or a last line
    // without one: those get the file's first line end on writing back.
    std::array<std::string, kLineFileLines> ends;
    std::string newLineEnd = std::string(kDefaultLineEnd);
    std::string rest;      // the file beyond the last line the store holds, kept as it was
    int lastLine = 0;
    bool dirty = false;
    bool missing = false;  // the recorded file could not be loaded
};

LineStore g_lines;

// A line the file could not hold as one line; the program can read the code.
constexpr int kErrorUnwritableText = 9;

bool LineInRange(RtInt line) { return line >= 0 && line < kLineFileLines; }

void ClearStore() {
    for (std::string& line : g_lines.lines) line.clear();
    for (std::string& end : g_lines.ends) end.clear();
    g_lines.newLineEnd = kDefaultLineEnd;
    g_lines.rest.clear();
    g_lines.lastLine = 0;
    g_lines.dirty = false;
    g_lines.missing = false;
    g_lines.name.clear();
    g_lines.writePath.clear();
}

// A line ends at CR LF, LF or a lone CR; a last line without one counts. Lines are kept whole,
// zero bytes included, with their own line ends, so writing the file back changes no byte of a
// line the program left alone.
void SplitIntoLines(std::string_view text) {
    g_lines.newLineEnd = FirstLineEnd(text);
    size_t at = 0;
    int slot = 0;
    std::string_view line, end;
    while (slot < kLineFileLines && NextTextLine(text, at, line, end)) {
        g_lines.lines[slot] = line;
        g_lines.ends[slot] = end;
        g_lines.lastLine = slot++;
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
    for (int i = 0; i <= g_lines.lastLine; ++i) {
        text += g_lines.lines[i];
        text += g_lines.ends[i].empty() ? g_lines.newLineEnd : g_lines.ends[i];
    }
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
    std::string_view bytes(text.c_str(), text.Length());
    if (bytes.find_first_of("\r\n") != std::string_view::npos) {
        // It would read back as several lines; the old line stays.
        const char* message = "WriteTextLine refused: a line cannot hold a line end";
        WriteErrorLog(message);
        std::fprintf(stderr, "%s\n", message);
        SetErrorCode(tvk::kErrorUnwritableText);
        return;
    }
    tvk::SelectLineFile(file.c_str());
    SetErrorCode(0);  // a file that does not exist yet is created by the write-back
    g_lines.lines[line].assign(bytes);
    if (g_lines.lastLine < line) g_lines.lastLine = line;
    g_lines.dirty = true;
}

void WriteTextLineNumber(const RtString& file, RtInt line, RtNumber value) { WriteTextLine(file, line, RtString(value)); }
