#include "files/text_lines.h"

namespace tvk {

bool NextTextLine(std::string_view text, size_t& at, std::string_view& line, std::string_view& end) {
    if (at >= text.size()) return false;
    size_t stop = text.find_first_of("\r\n", at);
    if (stop == std::string_view::npos) stop = text.size();
    size_t endLength = 0;
    if (stop < text.size()) endLength = text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n' ? 2 : 1;
    line = text.substr(at, stop - at);
    end = text.substr(stop, endLength);
    at = stop + endLength;
    return true;
}

std::string_view FirstLineEnd(std::string_view text) {
    size_t at = 0;
    std::string_view line, end;
    NextTextLine(text, at, line, end);
    return end.empty() ? kDefaultLineEnd : end;
}

}  // namespace tvk
