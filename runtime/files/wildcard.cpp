#include "files/wildcard.h"

#include <cstring>

#include "tarnvik/files.h"

namespace tvk {

namespace {

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool CharacterMatches(char p, char n) { return p == '?' ? n != '.' : FoldAscii(p) == FoldAscii(n); }

}  // namespace

bool MatchWildcard(const char* pattern, const char* name) {
    if (!pattern || !name) return false;
    if (std::strcmp(pattern, "*.*") == 0) return true;
    const char* star = nullptr;   // pattern position just after the last "*"
    const char* retry = nullptr;  // name position the last "*" is tried from
    const char* p = pattern;
    const char* n = name;
    while (*n) {
        if (*p == '*') {
            while (*p == '*') ++p;
            if (!*p) return true;
            star = p;
            retry = n;
        } else if (*p && CharacterMatches(*p, *n)) {
            ++p;
            ++n;
        } else if (star) {
            p = star;
            n = ++retry;
        } else {
            return false;
        }
    }
    while (*p == '*') ++p;
    return *p == 0;
}

}  // namespace tvk

RtInt WildcardMatch(const RtString& pattern, const RtString& name) {
    return tvk::MatchWildcard(pattern.c_str(), name.c_str()) ? 1 : 0;
}
