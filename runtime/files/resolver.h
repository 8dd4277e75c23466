// Resolves program file names against loose files and the archive appended to the executable.
#pragma once

namespace tvk {

class ResourceResolver {
public:
    virtual ~ResourceResolver() = default;
};

extern ResourceResolver* g_memoryResolver;
extern ResourceResolver* g_fileResolver;

ResourceResolver* CreateMemoryResolver();
ResourceResolver* CreateFileResolver();
void SetArchiveNames(const char* memoryArchive, const char* fileArchive);
void ReleaseResolver(ResourceResolver* resolver);
// The name to open for a program file name, or null when it exists nowhere.
const char* ResolveFileName(ResourceResolver* resolver, const char* name);

}  // namespace tvk
