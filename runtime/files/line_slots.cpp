#include "files/line_slots.h"

namespace tvk {

void LineSlots::Split(std::string_view text) {
    *this = LineSlots();
    newLineEnd = FirstLineEnd(text);
    size_t at = 0;
    int slot = 0;
    std::string_view line, end;
    while (slot < kLineFileLines && NextTextLine(text, at, line, end)) {
        lines[slot] = line;
        ends[slot] = end;
        lastLine = slot++;
    }
    rest = text.substr(at);
}

std::string LineSlots::Joined() const {
    std::string text;
    for (int i = 0; i <= lastLine; ++i) {
        text += lines[i];
        text += ends[i].empty() ? newLineEnd : ends[i];
    }
    if (lastLine == kLineFileLines - 1) text += rest;
    return text;
}

}  // namespace tvk
