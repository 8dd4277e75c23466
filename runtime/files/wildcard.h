// File-name patterns with "*" and "?".
#pragma once

namespace tvk {

// "*.*" matches everything; "*" any run, "?" one character other than "."; letters A-Z match
// either case.
bool MatchWildcard(const char* pattern, const char* name);

}  // namespace tvk
