// Process, clock, file-system and thread services of the operating system.
#pragma once

#include <cstdint>
#include <string>

namespace tvk::platform {

// Monotonic milliseconds with sub-millisecond resolution; the origin is arbitrary.
double MonotonicMs();
void SleepMs(double milliseconds);

// Temporary directory with a trailing "/": $TMPDIR, else "/tmp/".
std::string TempDirectory();
// Full path of the running executable.
std::string ExecutablePath();
bool SetCurrentDirectory(const std::string& path);
std::string CurrentDirectory();
bool RemoveFile(const std::string& path);
// Appends bytes to a file, creating it; fails (false) while another writer holds it.
bool AppendExclusive(const std::string& path, const char* data, size_t size);
std::string GetEnvironment(const char* name);
// Asks the desktop to open a file or URL with its usual program; does not wait for it.
bool OpenWithDesktop(const std::string& target);

// Debugger channel: present when TVK_DEBUG_FD names a descriptor or a tracer is attached.
bool DebuggerPresent();
void DebuggerOutput(const char* text);
// The debugger's own descriptor is open (a tracer alone cannot answer stop notifications).
bool DebuggerChannelOpen();
// Sends a stop notification on the descriptor, then suspends the process until SIGCONT;
// false without waiting when the debugger cannot be told.
bool DebuggerStop(const char* text);

// Threads and mutexes.
uint64_t CurrentThreadId();
struct Mutex;
Mutex* CreateMutex();
void LockMutex(Mutex* mutex);
void UnlockMutex(Mutex* mutex);
void DestroyMutex(Mutex* mutex);
struct Thread;
// Starts fn(argument) on a new thread; null on failure.
Thread* StartThread(int (*fn)(int), int argument);
// Waits for the thread to end and frees it; false when it cannot be joined.
bool JoinThread(Thread* thread, int* exitCode);
void DetachThread(Thread* thread);
void YieldThread();

}  // namespace tvk::platform
