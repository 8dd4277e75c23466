// The 256 numbered lines of the line store and the text they are read from and written back as.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "files/text_lines.h"

namespace tvk {

constexpr int kLineFileLines = 256;

struct LineSlots {
    std::array<std::string, kLineFileLines> lines;
    // Each line's own line end as read; "" for lines the file did not have, or a last line
    // without one: those get newLineEnd on writing back.
    std::array<std::string, kLineFileLines> ends;
    std::string newLineEnd = std::string(kDefaultLineEnd);  // the file's first line end
    std::string rest;  // the file beyond the last line the slots hold, kept as it was
    int lastLine = 0;  // highest line read from the file or written by the program

    // A line ends at CR LF, LF or a lone CR; a last line without one counts. Lines are kept whole,
    // zero bytes included, so writing back changes no byte of a line the program left alone.
    void Split(std::string_view text);
    // Lines 0 to lastLine, each with its line end, then the rest when slot 255 is in use.
    std::string Joined() const;
};

}  // namespace tvk
