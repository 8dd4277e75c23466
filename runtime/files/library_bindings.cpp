#include "files/library_bindings.h"

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/debugger_channel.h"
#include "files/file_names.h"
#include "platform/libraries.h"
#include "tarnvik/core.h"
#include "tarnvik/files.h"

namespace tvk {
namespace {

struct Declaration {
    const char* library;
    const char* entry;
    void** slot;
};

struct LoadedLibrary {
    std::string lowerName;
    void* handle;
};

// Made on first use: programs register from their static initialisation, before main.
struct Declarations {
    std::vector<Declaration> list;
    std::vector<LoadedLibrary> libraries;
};

Declarations*& Registry() {
    static Declarations* registry = nullptr;
    return registry;
}

Declarations& Use() {
    Declarations*& registry = Registry();
    if (!registry) {
        registry = new Declarations;
        std::atexit(ReleaseDeclarations);
    }
    return *registry;
}

std::string LowerCase(const char* text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

void Report(const std::string& message) {
    SendDebuggerText(("TX" + message + "\n").c_str());
    WriteErrorLog(message.c_str());
}

void* LibraryHandle(const char* library) {
    std::string lower = LowerCase(library);
    Declarations& declarations = Use();
    for (const LoadedLibrary& loaded : declarations.libraries)
        if (loaded.lowerName == lower) return loaded.handle;
    std::string path;
    void* handle = ToSystemPath(library, path) ? platform::OpenLibrary(path.c_str()) : nullptr;
    if (handle) {
        declarations.libraries.push_back({lower, handle});
    } else {
        Report("DECLARE module not found: " + lower);  // not remembered: the next one tries again
    }
    return handle;
}

}  // namespace

void BindDeclaration(const char* library, const char* entry, void** slot) {
    if (!library || !entry || !slot) return;
    *slot = nullptr;
    void* handle = LibraryHandle(library);
    if (!handle) return;
    *slot = platform::LibraryEntry(handle, entry);
    if (!*slot) Report(std::string("DECLARE entry not found: ") + entry);
}

void BindDeclarations() {
    if (!Registry()) return;
    // By index: a library's own start-up code could register more.
    for (size_t i = 0; i < Registry()->list.size(); ++i) {
        Declaration d = Registry()->list[i];
        BindDeclaration(d.library, d.entry, d.slot);
    }
}

void ReleaseDeclarations() {
    Declarations*& registry = Registry();
    if (!registry) return;
    for (const LoadedLibrary& loaded : registry->libraries) platform::CloseLibrary(loaded.handle);
    delete registry;
    registry = nullptr;
}

size_t LoadedLibraryCount() { return Registry() ? Registry()->libraries.size() : 0; }

}  // namespace tvk

void RegisterDeclaration(const char* library, const char* entry, void** slot) {
    if (!slot) return;
    *slot = nullptr;
    if (!library || !entry) return;
    tvk::Use().list.push_back({library, entry, slot});
}
