// The table of joinable threads. Each handle is taken out once, by the join that ends it.
#include "base/thread_handles.h"

#include <map>
#include <mutex>

namespace tvk {
namespace {

// Threads may be started and joined from any thread.
std::mutex g_tableLock;
std::map<intptr_t, platform::Thread*> g_threads;
intptr_t g_lastHandle = 0;

}  // namespace

intptr_t AddThreadHandle(platform::Thread* thread) {
    std::lock_guard<std::mutex> hold(g_tableLock);
    if (g_lastHandle == INTPTR_MAX) return 0;
    intptr_t handle = ++g_lastHandle;
    g_threads[handle] = thread;
    return handle;
}

platform::Thread* TakeThreadHandle(intptr_t handle) {
    std::lock_guard<std::mutex> hold(g_tableLock);
    auto found = g_threads.find(handle);
    if (found == g_threads.end()) return nullptr;
    platform::Thread* thread = found->second;
    g_threads.erase(found);
    return thread;
}

}  // namespace tvk
