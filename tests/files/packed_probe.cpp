// Resolves each argument against the archive appended to this very program and prints one line
// per argument: "<m|f> <found> <size> <hash>" for the memory and the file resolver, then whether
// the file resolver's previous temporary file still exists.
#include <cstdint>
#include <cstdio>
#include <string>

#include "files/file_stream.h"
#include "files/resolver.h"
#include "platform/system.h"

namespace {

uint64_t Hash(const std::string& bytes) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    return h;
}

std::string Content(const char* name) {
    tvk::FileStream stream;
    if (!name || !stream.OpenRead(name)) return std::string();
    std::string bytes(static_cast<size_t>(stream.Size()), '\0');
    if (!bytes.empty()) stream.ReadUpTo(bytes.data(), bytes.size());
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tvk;
    g_memoryResolver = CreateMemoryResolver();
    g_fileResolver = CreateFileResolver();
    const std::string self = platform::ExecutablePath();
    SetArchiveNames(self.c_str(), self.c_str());
    std::string previousTemp;
    for (int i = 1; i < argc; ++i) {
        const char* memory = ResolveFileName(g_memoryResolver, argv[i]);
        std::string m = Content(memory);
        const char* file = ResolveFileName(g_fileResolver, argv[i]);
        std::string f = Content(file);
        bool previousKept = !previousTemp.empty() && Content(previousTemp.c_str()).size() > 0;
        std::printf("%s m %d %zu %016llx f %d %zu %016llx kept %d\n", argv[i], memory != nullptr, m.size(),
                    static_cast<unsigned long long>(Hash(m)), file != nullptr, f.size(),
                    static_cast<unsigned long long>(Hash(f)), previousKept ? 1 : 0);
        previousTemp = (file && std::string(file).rfind(platform::TempDirectory(), 0) == 0) ? file : "";
    }
    ReleaseResolver(g_memoryResolver);
    ReleaseResolver(g_fileResolver);
    delete g_memoryResolver;
    delete g_fileResolver;
    return 0;
}
