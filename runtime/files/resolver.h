// Resolves program file names against loose files and the archive appended to the executable.
//
// A loose file always wins. Otherwise the file's base name is looked up in the archive, ignoring
// case, and the entry is decompressed: the memory resolver answers with a mem:// name of the bytes,
// the file resolver with the path of a temporary file holding them. Each resolver holds one answer
// at a time: its next lookup (or SetArchiveNames, or ReleaseResolver) frees the bytes or deletes
// the temporary file. A FileStream already open on a mem:// answer keeps reading it safely.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "files/file_names.h"

namespace tvk {

class ResourceResolver {
public:
    explicit ResourceResolver(bool answersInMemory) : answersInMemory(answersInMemory) {}
    ~ResourceResolver();
    ResourceResolver(const ResourceResolver&) = delete;
    ResourceResolver& operator=(const ResourceResolver&) = delete;

    const bool answersInMemory;
    uint8_t archiveEnabled = 1;  // 0 for good once the archive proved absent or invalid
    char archiveName[kPathBufferSize] = {};  // a path or a mem:// name; empty = no archive
    char lastTempFile[kPathBufferSize] = {};
    std::shared_ptr<uint8_t[]> heldBuffer;  // bytes handed out as a mem:// name
    size_t heldSize = 0;
    char answer[kPathBufferSize] = {};  // the last answer of the two-argument ResolveFileName
};

extern ResourceResolver* g_memoryResolver;
extern ResourceResolver* g_fileResolver;

ResourceResolver* CreateMemoryResolver();
ResourceResolver* CreateFileResolver();
// Releases what both global resolvers hold, enables their archives again and sets the names
// (backslashes become "/"). A null or overlong name means no archive.
void SetArchiveNames(const char* memoryArchive, const char* fileArchive);
void ReleaseResolver(ResourceResolver* resolver);

// 1 when name was found, 0 otherwise. answer (kPathBufferSize bytes) receives the name to open: the
// name itself for a loose file or a live mem:// name, a mem:// name or a temporary path for an
// archive entry; after a miss, the name itself when no archive was searched, else "". inMemory
// chooses the kind of answer for archive entries. A null resolver looks at loose files only.
int ResolveFileName(ResourceResolver* resolver, const char* name, char* answer, int inMemory);
// The same with the resolver's own kind of answer: the name to open, or null when it exists nowhere.
// The text stays valid until the next lookup on this resolver.
const char* ResolveFileName(ResourceResolver* resolver, const char* name);

}  // namespace tvk
