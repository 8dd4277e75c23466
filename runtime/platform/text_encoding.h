// The runtime keeps text in an 8-bit code page (Latin-1 here); the desktop speaks UTF-8.
#pragma once

#include <string>

namespace tvk::platform {

std::string Latin1ToUtf8(const char* text);
// Characters outside Latin-1 become "?".
std::string Utf8ToLatin1(const char* text);

}  // namespace tvk::platform
