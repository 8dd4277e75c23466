// Threads and mutexes over pthreads.
#include <pthread.h>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <new>

#include "platform/system.h"

namespace tvk::platform {

struct Mutex {
    pthread_mutex_t handle = PTHREAD_MUTEX_INITIALIZER;
};

struct Thread {
    pthread_t handle{};
    int (*fn)(int) = nullptr;
    int argument = 0;
    int result = 0;
    // 0 running, 1 detached, 2 finished: whoever comes second frees a detached record.
    std::atomic<int> state{0};
};

uint64_t CurrentThreadId() { return static_cast<uint64_t>(syscall(SYS_gettid)); }

Mutex* CreateMutex() {
    Mutex* mutex = new (std::nothrow) Mutex;
    if (mutex) pthread_mutex_init(&mutex->handle, nullptr);
    return mutex;
}

void LockMutex(Mutex* mutex) { pthread_mutex_lock(&mutex->handle); }
void UnlockMutex(Mutex* mutex) { pthread_mutex_unlock(&mutex->handle); }

void DestroyMutex(Mutex* mutex) {
    if (!mutex) return;
    pthread_mutex_destroy(&mutex->handle);
    delete mutex;
}

namespace {
void* RunThread(void* raw) {
    Thread* thread = static_cast<Thread*>(raw);
    thread->result = thread->fn(thread->argument);
    if (thread->state.exchange(2) == 1) delete thread;
    return nullptr;
}
}  // namespace

Thread* StartThread(int (*fn)(int), int argument) {
    Thread* thread = new (std::nothrow) Thread;
    if (!thread) return nullptr;
    thread->fn = fn;
    thread->argument = argument;
    if (pthread_create(&thread->handle, nullptr, RunThread, thread) != 0) {
        delete thread;
        return nullptr;
    }
    return thread;
}

bool JoinThread(Thread* thread, int* exitCode) {
    if (!thread || pthread_join(thread->handle, nullptr) != 0) return false;
    if (exitCode) *exitCode = thread->result;
    delete thread;
    return true;
}

void DetachThread(Thread* thread) {
    if (!thread) return;
    pthread_detach(thread->handle);
    if (thread->state.exchange(1) == 2) delete thread;
}

void YieldThread() { sched_yield(); }

}  // namespace tvk::platform
