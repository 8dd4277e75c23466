// Bytes waiting to go out on one member connection. The host never waits for a peer to read:
// it hands the socket what it takes at once and keeps the rest here, in order.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace tvk {

class SessionOutbox {
public:
    // Offers bytes to a socket: how many it took (0 when it takes nothing now), or -1 on failure.
    using Send = std::function<int(const char* bytes, int length)>;

    void Append(const std::string& bytes) { bytes_.append(bytes); }
    size_t Size() const { return bytes_.size() - start_; }
    bool Empty() const { return Size() == 0; }
    // Sends from the front until the socket takes no more. The count sent, or -1 when send failed.
    long Flush(const Send& send);

private:
    std::string bytes_;
    size_t start_ = 0;
};

}  // namespace tvk
