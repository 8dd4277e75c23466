// FileStream: the one way the runtime reads and writes files, on disk or in memory.
//
// Every loader reads through it:
//     FileStream in;
//     if (!in.OpenRead(ResolveFileName(g_memoryResolver, name))) ...   // a path or a mem:// name
//     int64_t size = in.Size();
//     in.Read(buffer, count);   // or ReadUpTo for "as many as there are"
//     in.Close();               // also done by the destructor
// Paths may use "/" or backslashes and are matched on disk as platform/files.h describes.
// A mem:// name (see memory_names.h) reads the registered region it names; while the stream is open
// a region handed out by a resolver stays alive even when the resolver moves on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/files.h"

namespace tvk {

class FileStream {
public:
    FileStream() = default;
    ~FileStream() { Close(); }
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;
    FileStream(FileStream&& other) noexcept;
    FileStream& operator=(FileStream&& other) noexcept;

    // An existing file or a registered mem:// region. False (and closed) when it cannot be opened.
    bool OpenRead(const char* name);
    // Deletes any old file and creates it anew. A mem:// name opens nothing.
    bool OpenWrite(const char* name);
    // Opens or creates a file for writing at its end. A mem:// name opens nothing.
    bool OpenAppend(const char* name);
    void Close();

    bool IsOpen() const { return fd_ >= 0 || base_ != nullptr; }
    bool IsMemory() const { return base_ != nullptr; }
    bool HasFile() const { return fd_ >= 0; }
    // The start of a memory stream's bytes (null for a file): loaders may parse them in place.
    const uint8_t* MemoryData() const { return base_; }

    // File: true only when all count bytes arrived. Memory: copies what is left (zeros for the rest)
    // and succeeds, unless the position lies outside the region.
    bool Read(void* dest, size_t count);
    // Reads what there is, up to count bytes; returns how many arrived.
    size_t ReadUpTo(void* dest, size_t count);
    // Files only; writing 0 bytes succeeds.
    bool Write(const void* src, size_t count);

    // offset >= 0: from the start; offset < 0: from the end.
    bool Seek(int64_t offset);
    // The new position; for a file the platform's answer, -1 when it refused.
    int64_t SeekFrom(int64_t offset, platform::SeekOrigin origin);
    int64_t Position() const { return position_; }
    // File: the current size on disk. Memory: the region's length. Closed: 0.
    int64_t Size() const;
    // The size taken when the stream was opened (0 for writing streams).
    int64_t OpenedSize() const { return size_; }

private:
    bool OpenForWriting(const char* name, platform::CreateMode mode);

    int fd_ = -1;
    uint8_t* base_ = nullptr;
    int64_t size_ = 0;
    int64_t position_ = 0;
    std::shared_ptr<const void> keepAlive_;
};

}  // namespace tvk
