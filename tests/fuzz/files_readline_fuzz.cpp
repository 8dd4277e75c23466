// Fuzz target for the line reader over memory streams: every line fits its limit, holds no LF,
// and the reader always moves forward until the data ends. Build and run from the repository root:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Iruntime -Iruntime/include \
//     tests/fuzz/files_readline_fuzz.cpp runtime/files/{line_reader,file_stream,memory_names,file_names}.cpp \
//     runtime/platform/{posix_files,text_encoding}.cpp -o build/files_readline_fuzz
//   build/files_readline_fuzz -max_total_time=300
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "files/file_stream.h"
#include "files/line_reader.h"
#include "files/memory_names.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tvk;
    std::vector<uint8_t> bytes(data, data + size);
    if (bytes.empty() || !RegisterMemoryRegion(bytes.data(), size)) return 0;
    const std::vector<uint8_t> original = bytes;
    FileStream stream;
    if (!stream.OpenRead(MemoryName(bytes.data(), size).c_str())) std::abort();
    std::string line;
    int64_t previous = stream.Position();
    while (ReadTextLine(stream, line)) {
        if (line.size() > kMaxLineLength || line.find('\n') != std::string::npos) std::abort();
        if (line.find('\0') != std::string::npos) std::abort();
        if (stream.Position() <= previous || stream.Position() > static_cast<int64_t>(size)) std::abort();
        previous = stream.Position();
    }
    if (stream.Position() != static_cast<int64_t>(size)) std::abort();
    if (bytes != original) std::abort();  // the region is never written
    ForgetMemoryRegion(bytes.data());
    return 0;
}
