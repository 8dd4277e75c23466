#include "platform/text_encoding.h"

namespace tvk::platform {

std::string Latin1ToUtf8(const char* text) {
    std::string out;
    if (!text) return out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (*p < 0x80) {
            out += static_cast<char>(*p);
        } else {
            out += static_cast<char>(0xC0 | (*p >> 6));
            out += static_cast<char>(0x80 | (*p & 0x3F));
        }
    }
    return out;
}

std::string Utf8ToLatin1(const char* text) {
    std::string out;
    if (!text) return out;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        unsigned c = *p;
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0) {  // stray continuation byte
            out += '?';
            ++p;
            continue;
        }
        unsigned code = extra == 0 ? c : c & (0x3F >> extra);
        ++p;
        int i = 0;
        for (; i < extra && (*p & 0xC0) == 0x80; ++i, ++p) code = (code << 6) | (*p & 0x3F);
        out += (i == extra && code < 0x100) ? static_cast<char>(code) : '?';
    }
    return out;
}

}  // namespace tvk::platform
