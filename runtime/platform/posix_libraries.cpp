#include <dlfcn.h>

#include "platform/libraries.h"

namespace tvk::platform {

void* OpenLibrary(const char* name) { return dlopen(name, RTLD_NOW | RTLD_LOCAL); }

void* LibraryEntry(void* library, const char* entry) { return dlsym(library, entry); }

void CloseLibrary(void* library) {
    if (library) dlclose(library);
}

}  // namespace tvk::platform
