// The debugger channel over POSIX: a descriptor the debugger handed over in TVK_DEBUG_FD,
// or standard error while a tracer is attached.
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string>

#include "platform/system.h"

namespace tvk::platform {
namespace {

// Taken once, before main runs: programs this one starts neither inherit the channel nor
// mistake a descriptor of their own for it. A standard stream named there (as "2") is read by
// a person or a test: it gets the texts as they stand and the program never stops for it.
struct ChannelSetting {
    int own = -1;     // the debugger's own descriptor: NUL-ended messages and stops
    int stream = -1;  // a standard stream: texts only
};

ChannelSetting TakeChannelFromEnvironment() {
    ChannelSetting setting;
    const char* value = std::getenv("TVK_DEBUG_FD");
    if (!value || !*value) return setting;
    char* end = nullptr;
    long n = std::strtol(value, &end, 10);
    unsetenv("TVK_DEBUG_FD");
    if (*end || n < 0 || n > INT_MAX) return setting;
    int fd = static_cast<int>(n);
    int flags = fcntl(fd, F_GETFD);
    if (flags < 0) return setting;
    if (fd <= STDERR_FILENO) {
        setting.stream = fd;
    } else {
        fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
        setting.own = fd;
    }
    return setting;
}

std::atomic<int> g_channel{-1};
int g_textStream = -1;
std::mutex g_writeLock;
[[maybe_unused]] const bool g_channelTaken = [] {
    ChannelSetting setting = TakeChannelFromEnvironment();
    g_channel = setting.own;
    g_textStream = setting.stream;
    return true;
}();

bool ReadTracerStatus() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("TracerPid:", 0) == 0) return std::atoi(line.c_str() + 10) != 0;
    }
    return false;
}

// Looked at again at most every 100 ms, so that asking once per statement costs only a
// clock read (no system call on Linux).
bool TracerAttached() {
    static std::atomic<double> nextCheck{-1};
    static std::atomic<bool> attached{false};
    double now = MonotonicMs();
    if (now >= nextCheck.load(std::memory_order_relaxed)) {
        attached = ReadTracerStatus();
        nextCheck = now + 100;
    }
    return attached.load(std::memory_order_relaxed);
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && errno == EAGAIN) {  // a non-blocking pipe that is full: wait for room
            pollfd p{fd, POLLOUT, 0};
            poll(&p, 1, -1);
            continue;
        }
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// A debugger that went away must not take the program with it: the broken pipe's signal
// is held back and swallowed.
bool WriteWithoutBrokenPipeSignal(int fd, const char* data, size_t size) {
    sigset_t pipeOnly, previous, pending;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeOnly, &previous);
    sigpending(&pending);
    bool alreadyPending = sigismember(&pending, SIGPIPE) == 1;
    bool ok = WriteAll(fd, data, size);
    if (!ok && errno == EPIPE && !alreadyPending) {
        timespec none{};
        sigtimedwait(&pipeOnly, nullptr, &none);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return ok;
}

// One message on the debugger's own channel: the text and its terminating NUL. A channel
// that fails is given up, and the program runs on without a debugger.
bool SendOnChannel(const char* text) {
    std::lock_guard<std::mutex> hold(g_writeLock);
    int fd = g_channel.load();
    if (fd < 0) return false;
    if (WriteWithoutBrokenPipeSignal(fd, text, std::strlen(text) + 1)) return true;
    g_channel = -1;
    close(fd);
    return false;
}

}  // namespace

bool DebuggerChannelOpen() { return g_channel.load(std::memory_order_relaxed) >= 0; }

bool DebuggerPresent() { return DebuggerChannelOpen() || g_textStream >= 0 || TracerAttached(); }

void DebuggerOutput(const char* text) {
    if (DebuggerChannelOpen()) SendOnChannel(text);
    else WriteAll(g_textStream >= 0 ? g_textStream : STDERR_FILENO, text, std::strlen(text));
}

bool DebuggerStop(const char* text) {
    if (!SendOnChannel(text)) return false;
    kill(getpid(), SIGSTOP);  // the whole process waits here for the debugger's SIGCONT
    return true;
}

}  // namespace tvk::platform
