#include "net/session_outbox.h"

#include <algorithm>
#include <climits>

namespace tvk {

long SessionOutbox::Flush(const Send& send) {
    long total = 0;
    while (!Empty()) {
        int length = static_cast<int>(std::min<size_t>(Size(), INT_MAX));
        int taken = send(bytes_.data() + start_, length);
        if (taken < 0) return -1;
        if (taken == 0) break;
        start_ += static_cast<size_t>(std::min(taken, length));
        total += taken;
    }
    if (Empty()) {
        bytes_.clear();
        start_ = 0;
    } else if (start_ >= bytes_.size() / 2) {
        // Drop what went out once it is most of the buffer, so compaction stays cheap.
        bytes_.erase(0, start_);
        start_ = 0;
    }
    return total;
}

}  // namespace tvk
