// The handles StartThread gives the program: small numbers standing for started threads,
// so that a number never handed out, or one already joined, cannot reach a thread record.
#pragma once

#include <cstdint>

namespace tvk {
namespace platform {
struct Thread;
}

// A new handle for the thread; handles are never reused. 0 when the table is full.
intptr_t AddThreadHandle(platform::Thread* thread);
// Removes the handle and gives its thread, or null when the handle is not in the table.
platform::Thread* TakeThreadHandle(intptr_t handle);

}  // namespace tvk
