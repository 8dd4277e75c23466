// Locks and threads for the runtime's workers. A lock is not recursive: its owner
// trying again gets an error instead of a deadlock.
#include <cerrno>
#include <new>

#include "base/error_codes.h"
#include "base/thread_handles.h"
#include "platform/system.h"
#include "tarnvik/core.h"

struct LockRecord {
    tvk::platform::Mutex* mutex = nullptr;
    uint64_t owner = 0;  // thread id, 0 = free
};

namespace {
constexpr int kOk = 0;
constexpr int kNotOwner = 1;
constexpr int kOutOfMemory = 12;
constexpr int kInvalid = tvk::kErrorInvalidArgument;  // returned, and recorded as the error code
constexpr int kWouldDeadlock = 36;
}  // namespace

int InitLock(LockHandle* lock) {
    if (!lock) return kInvalid;
    LockRecord* record = new (std::nothrow) LockRecord;
    if (!record) return kOutOfMemory;
    record->mutex = tvk::platform::CreateMutex();
    if (!record->mutex) {
        delete record;
        return kOutOfMemory;
    }
    *lock = record;
    return kOk;
}

int AcquireLock(LockHandle* lock) {
    if (!lock || !*lock) return kInvalid;
    LockRecord* record = *lock;
    uint64_t self = tvk::platform::CurrentThreadId();
    // Only the owner itself can see its own id here, so this read needs no lock.
    if (__atomic_load_n(&record->owner, __ATOMIC_ACQUIRE) == self) return kWouldDeadlock;
    tvk::platform::LockMutex(record->mutex);
    __atomic_store_n(&record->owner, self, __ATOMIC_RELEASE);
    return kOk;
}

int ReleaseLock(LockHandle* lock) {
    if (!lock || !*lock) return kInvalid;
    LockRecord* record = *lock;
    if (__atomic_load_n(&record->owner, __ATOMIC_ACQUIRE) != tvk::platform::CurrentThreadId()) return kNotOwner;
    __atomic_store_n(&record->owner, uint64_t{0}, __ATOMIC_RELEASE);
    tvk::platform::UnlockMutex(record->mutex);
    return kOk;
}

int DestroyLock(LockHandle* lock) {
    if (!lock || !*lock) return kInvalid;
    tvk::platform::DestroyMutex((*lock)->mutex);
    delete *lock;
    *lock = nullptr;
    return kOk;
}

ThreadHandle StartThread(ThreadFunction function, int argument, bool keepHandle) {
    if (!function) {  // nothing to run: starting it would jump to address 0
        errno = EINVAL;
        SetErrorCode(kInvalid);
        return -1;
    }
    tvk::platform::Thread* thread = tvk::platform::StartThread(function, argument);
    if (!thread) {
        errno = EACCES;
        return -1;
    }
    if (!keepHandle) {
        tvk::platform::DetachThread(thread);
        return 0;
    }
    ThreadHandle handle = tvk::AddThreadHandle(thread);
    if (handle == 0) {  // no handle left to give: the thread runs on by itself
        tvk::platform::DetachThread(thread);
        errno = EACCES;
        return -1;
    }
    return handle;
}

int JoinThread(ThreadHandle thread, int* exitCode) {
    // Only a handle handed out and not joined yet stands for a thread.
    tvk::platform::Thread* record = tvk::TakeThreadHandle(thread);
    if (!record || !tvk::platform::JoinThread(record, exitCode)) {
        SetErrorCode(kInvalid);
        return kInvalid;
    }
    return kOk;
}

void YieldThread() { tvk::platform::YieldThread(); }
void SleepThread(int milliseconds) { tvk::platform::SleepMs(milliseconds); }
