#include "files/line_reader.h"

#include <algorithm>
#include <cstring>

namespace tvk {

bool ReadTextLine(FileStream& stream, std::string& line) {
    line.clear();
    constexpr size_t kWindow = kMaxLineLength + 1;  // room for a full line and its LF
    char buffer[kWindow];
    const char* window = buffer;
    size_t available = 0;
    if (stream.IsMemory()) {
        const int64_t position = stream.Position();
        const int64_t size = stream.Size();
        if (position < 0 || position >= size) return false;
        available = static_cast<size_t>(std::min<int64_t>(size - position, kWindow));
        window = reinterpret_cast<const char*>(stream.MemoryData() + position);
    } else {
        if (!stream.HasFile()) return false;
        available = stream.ReadUpTo(buffer, kWindow);
        if (available == 0) return false;
    }

    size_t length;
    size_t consumed;
    bool ended;  // by an LF or by the end of the data, not by the length limit
    if (const void* lf = std::memchr(window, '\n', available)) {
        length = static_cast<size_t>(static_cast<const char*>(lf) - window);
        consumed = length + 1;
        ended = true;
    } else if (available < kWindow) {
        length = consumed = available;
        ended = true;
    } else {
        length = consumed = kMaxLineLength;
        ended = false;
    }
    if (stream.IsMemory()) {
        stream.SeekFrom(static_cast<int64_t>(consumed), platform::SeekOrigin::Current);
    } else if (consumed < available) {
        stream.SeekFrom(-static_cast<int64_t>(available - consumed), platform::SeekOrigin::Current);
    }
    if (ended && length > 0 && window[length - 1] == '\r') --length;
    const void* zero = std::memchr(window, 0, length);
    if (zero) length = static_cast<size_t>(static_cast<const char*>(zero) - window);
    line.assign(window, length);
    return true;
}

}  // namespace tvk
