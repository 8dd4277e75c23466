// Dynamic libraries loaded by name at run time.
#pragma once

namespace tvk::platform {

// Null when the library cannot be loaded (the system's search rules apply to a bare name).
void* OpenLibrary(const char* name);
// Null when the library has no such entry; names are case-sensitive.
void* LibraryEntry(void* library, const char* entry);
void CloseLibrary(void* library);

}  // namespace tvk::platform
