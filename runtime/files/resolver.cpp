#include "files/resolver.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "files/memory_names.h"
#include "files/packed_archive.h"
#include "platform/files.h"
#include "platform/system.h"

namespace tvk {

ResourceResolver* g_memoryResolver = nullptr;
ResourceResolver* g_fileResolver = nullptr;

namespace {

void CopyName(char* dest, const char* source) {
    std::string path;
    dest[0] = 0;
    if (ToSystemPath(source, path)) std::memcpy(dest, path.c_str(), path.size() + 1);
}

void ReleaseAnswer(ResourceResolver* resolver) {
    if (resolver->heldBuffer) {
        ForgetMemoryRegion(resolver->heldBuffer.get());
        resolver->heldBuffer.reset();
        resolver->heldSize = 0;
    }
    if (resolver->lastTempFile[0]) {
        platform::DeleteFileAt(resolver->lastTempFile);
        resolver->lastTempFile[0] = 0;
    }
}

// A name of the bytes this resolver handed out last: looking it up again must not free them.
bool NamesHeldBuffer(const ResourceResolver* resolver, const char* name) {
    MemoryRegion region;
    if (!resolver->heldBuffer || !FindMemoryRegion(name, region)) return false;
    const uint8_t* held = resolver->heldBuffer.get();
    return region.base >= held && region.base <= held + resolver->heldSize;
}

// "sbx" + two letters from the entry's numbers + the entry's file name, in the temporary directory.
std::string TempFileName(const ArchiveEntry& entry) {
    std::string name = platform::TempDirectory() + "sbx";
    name += static_cast<char>('A' + (static_cast<uint8_t>(entry.storedOffset) % 26));
    name += static_cast<char>('A' + (static_cast<uint8_t>(entry.storedSize) % 26));
    name += BaseName(entry.name.c_str());
    return name;
}

bool WriteTempFile(const std::string& path, const UnpackedData& data) {
    int fd = platform::OpenForWriting(path, platform::CreateMode::Exclusive);
    if (fd < 0) return false;
    bool written = platform::WriteToFile(fd, data.bytes.get(), data.size);
    platform::CloseFile(fd);
    if (!written) platform::DeleteFileAt(path);  // a truncated file would be read as the whole entry
    return written;
}

int AnswerFromArchive(ResourceResolver* resolver, const char* name, char* answer, int inMemory) {
    if (!resolver->archiveEnabled) return 0;
    if (!resolver->archiveName[0]) {
        resolver->archiveEnabled = 0;
        return 0;
    }
    FileStream stream;
    if (!stream.OpenRead(resolver->archiveName)) {
        resolver->archiveEnabled = 0;
        return 0;
    }
    PackedArchive archive(stream);
    switch (archive.Open()) {
        case ArchiveStatus::Ok: break;
        case ArchiveStatus::NotAnArchive: resolver->archiveEnabled = 0; return 0;
        case ArchiveStatus::Unreadable:
        case ArchiveStatus::Corrupt: answer[0] = 0; return 0;
    }
    ArchiveEntry entry;
    UnpackedData data;
    if (!archive.Find(BaseName(name), entry)) {
        answer[0] = 0;
        return 0;
    }
    UnpackStatus status = archive.Unpack(entry, data);
    stream.Close();
    if (status != UnpackStatus::Ok && status != UnpackStatus::BadData) {  // BadData reads as an empty file
        answer[0] = 0;
        return 0;
    }

    if (inMemory) {
        resolver->heldBuffer = data.bytes;
        resolver->heldSize = data.size;
        RegisterMemoryRegion(data.bytes.get(), data.size, data.bytes);
        std::string memoryName = MemoryName(data.bytes.get(), data.size);
        std::memcpy(answer, memoryName.c_str(), memoryName.size() + 1);
        return 1;
    }
    std::string tempPath = TempFileName(entry);
    if (tempPath.size() > kMaxPathLength || !WriteTempFile(tempPath, data)) return 0;
    std::memcpy(resolver->lastTempFile, tempPath.c_str(), tempPath.size() + 1);
    std::memcpy(answer, tempPath.c_str(), tempPath.size() + 1);
    return 1;
}

}  // namespace

ResourceResolver::~ResourceResolver() { ReleaseAnswer(this); }

ResourceResolver* CreateMemoryResolver() { return new ResourceResolver(true); }
ResourceResolver* CreateFileResolver() { return new ResourceResolver(false); }

void SetArchiveNames(const char* memoryArchive, const char* fileArchive) {
    ResourceResolver* resolvers[2] = {g_memoryResolver, g_fileResolver};
    const char* names[2] = {memoryArchive, fileArchive};
    for (int i = 0; i < 2; ++i) {
        if (!resolvers[i]) continue;
        ReleaseAnswer(resolvers[i]);
        resolvers[i]->archiveEnabled = 1;
        CopyName(resolvers[i]->archiveName, names[i]);
    }
}

void ReleaseResolver(ResourceResolver* resolver) {
    if (!resolver) return;
    resolver->archiveEnabled = 1;
    ReleaseAnswer(resolver);
}

int ResolveFileName(ResourceResolver* resolver, const char* name, char* answer, int inMemory) {
    // name may be the resolver's previous answer, which answer may overwrite: work on a copy.
    const std::string requested = name ? name : "";
    answer[0] = 0;
    const bool memoryName = IsMemoryName(requested.c_str());
    if (resolver && !(memoryName && NamesHeldBuffer(resolver, requested.c_str()))) ReleaseAnswer(resolver);
    if (requested.empty() || requested.size() > kMaxPathLength) return 0;
    std::memcpy(answer, requested.c_str(), requested.size() + 1);

    if (memoryName) {  // a live region is found as it is; a dead one is missing
        MemoryRegion region;
        if (FindMemoryRegion(requested.c_str(), region)) return 1;
        answer[0] = 0;
        return 0;
    }
    std::string path;
    ToSystemPath(requested.c_str(), path);
    if (platform::GetPathKind(path) == platform::PathKind::File) return 1;
    if (!resolver) return 0;
    return AnswerFromArchive(resolver, requested.c_str(), answer, inMemory);
}

const char* ResolveFileName(ResourceResolver* resolver, const char* name) {
    static char looseAnswer[kPathBufferSize];
    char* answer = resolver ? resolver->answer : looseAnswer;
    return ResolveFileName(resolver, name, answer, resolver ? resolver->answersInMemory : 1) ? answer : nullptr;
}

}  // namespace tvk
