// Functions of other libraries that the program declared, bound by name at start-up.
#pragma once

#include <cstddef>

namespace tvk {

// Binds every registered declaration in registration order (once, during start-up).
void BindDeclarations();
// Loads the library (once per lower-cased name), looks the entry up and stores its address in
// the slot; failures leave the slot null and write one error-log line.
void BindDeclaration(const char* library, const char* entry, void** slot);
// Unloads every library and forgets the declarations (at process exit).
void ReleaseDeclarations();
// How many libraries are loaded.
size_t LoadedLibraryCount();

}  // namespace tvk
