// Splitting a whole text into lines for the INI and line stores, which write the file back: any
// length, every byte kept (zero bytes too), and CR LF, LF or a lone CR accepted as a line end.
#pragma once

#include <cstddef>
#include <string_view>

namespace tvk {

constexpr std::string_view kDefaultLineEnd = "\r\n";

// The next line from at: its bytes without the line end, and the line end itself ("\r\n", "\n",
// "\r", or "" for a last line without one); at moves past both. False once at is at the end.
bool NextTextLine(std::string_view text, size_t& at, std::string_view& line, std::string_view& end);

// The first line end of the text, or kDefaultLineEnd when it has none: what new lines get.
std::string_view FirstLineEnd(std::string_view text);

}  // namespace tvk
