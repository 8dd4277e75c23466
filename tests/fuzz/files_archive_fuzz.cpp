// Fuzz target for the packed-archive reader: any bytes as an archive, walked, unpacked and looked
// up through the memory resolver. Build and run from the repository root:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Iruntime -Iruntime/include \
//     tests/fuzz/files_archive_fuzz.cpp runtime/files/{packed_archive,file_stream,memory_names,file_names,resolver}.cpp \
//     runtime/platform/{posix_files,posix_system,text_encoding}.cpp -llzo2 -o build/files_archive_fuzz
//   build/files_archive_fuzz -max_total_time=300 -rss_limit_mb=4096
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "files/file_stream.h"
#include "files/memory_names.h"
#include "files/packed_archive.h"
#include "files/resolver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tvk;
    // A private copy, so that reading one byte too far is caught by the address sanitizer.
    std::vector<uint8_t> bytes(data, data + size);
    uint8_t* base = bytes.empty() ? nullptr : bytes.data();
    if (!base || !RegisterMemoryRegion(base, size)) return 0;
    const std::string name = MemoryName(base, size);

    FileStream stream;
    if (stream.OpenRead(name.c_str())) {
        PackedArchive archive(stream);
        if (archive.Open() == ArchiveStatus::Ok) {
            ArchiveEntry entry;
            std::vector<ArchiveEntry> entries;
            while (entries.size() < 64 && archive.Next(entry)) entries.push_back(entry);
            for (const ArchiveEntry& e : entries) {
                UnpackedData out;
                if (archive.Unpack(e, out) == UnpackStatus::Ok && out.size) {
                    volatile uint8_t last = out.bytes[out.size - 1];  // the whole result is readable
                    (void)last;
                }
            }
        }
    }
    stream.Close();

    static ResourceResolver* resolver = CreateMemoryResolver();
    g_memoryResolver = resolver;
    SetArchiveNames(name.c_str(), nullptr);
    for (const char* wanted : {"a", "ship.png", "dir/B.TXT"}) {
        if (const char* answer = ResolveFileName(resolver, wanted)) {
            FileStream read;
            uint8_t buffer[64];
            if (read.OpenRead(answer)) read.ReadUpTo(buffer, sizeof(buffer));
        }
    }
    ReleaseResolver(resolver);
    ForgetMemoryRegion(base);
    return 0;
}
