#include "net/socket_table.h"

#include <mutex>
#include <vector>

namespace tvk {

namespace {

// Held by an entry between ClaimEntry and FillEntry: in use for allocation, free for commands.
constexpr int kClaimed = -2;
constexpr size_t kMaxMessageLength = 511;

struct SocketTable {
    std::mutex mutex;
    SocketEntry entries[kSocketCount];
    int startCount = 0;
    platform::SocketFault lastError;
};

SocketTable& Table() {
    static SocketTable table;
    return table;
}

bool InUse(const SocketEntry& entry) { return entry.socket >= 0; }

void CloseSystemSocket(const SocketEntry& entry) {
    if (entry.isUdp) platform::CloseDatagramSocket(entry.socket);
    else platform::CloseStreamSocket(entry.socket);
}

bool ValidIndex(int index) { return index >= 0 && index < kSocketCount; }

}  // namespace

int StartSockets() {
    SocketTable& table = Table();
    std::lock_guard lock(table.mutex);
    if (table.startCount > 0) {
        ++table.startCount;
        return 1;
    }
    for (SocketEntry& entry : table.entries) entry = SocketEntry{};
    table.startCount = 1;
    table.lastError = platform::SocketFault{};
    return 1;
}

int StopSockets() {
    SocketTable& table = Table();
    std::vector<SocketEntry> open;
    {
        std::lock_guard lock(table.mutex);
        if (--table.startCount >= 1) return table.startCount;
        table.startCount = 0;
        for (SocketEntry& entry : table.entries) {
            if (InUse(entry)) open.push_back(entry);
            entry = SocketEntry{};
        }
    }
    // Closing never waits: stream sockets are closed without lingering.
    for (const SocketEntry& entry : open) CloseSystemSocket(entry);
    SetSocketError(0);
    return 0;
}

int SocketStartCount() {
    SocketTable& table = Table();
    std::lock_guard lock(table.mutex);
    return table.startCount;
}

int ClaimEntry() {
    SocketTable& table = Table();
    int code = platform::kSocketNotStarted;
    {
        std::lock_guard lock(table.mutex);
        if (table.startCount > 0) {
            for (int index = 0; index < kSocketCount; ++index) {
                if (table.entries[index].socket != -1) continue;
                table.entries[index] = SocketEntry{kClaimed, {}, false};
                return index;
            }
            code = kSocketTableFull;
        }
    }
    SetSocketError(code);
    return -1;
}

void FillEntry(int index, int socket, SocketAddress address, bool isUdp) {
    SocketTable& table = Table();
    std::lock_guard lock(table.mutex);
    table.entries[index] = SocketEntry{socket, address, isUdp};
}

void ReleaseClaim(int index) {
    SocketTable& table = Table();
    std::lock_guard lock(table.mutex);
    if (table.entries[index].socket == kClaimed) table.entries[index] = SocketEntry{};
}

bool ReadEntry(int index, SocketEntry& entry) {
    SocketTable& table = Table();
    {
        std::lock_guard lock(table.mutex);
        if (ValidIndex(index) && InUse(table.entries[index])) {
            entry = table.entries[index];
            return true;
        }
    }
    SetSocketError(platform::kSocketNotASocket);
    return false;
}

bool TakeEntry(int index, SocketEntry& entry) {
    SocketTable& table = Table();
    {
        std::lock_guard lock(table.mutex);
        if (ValidIndex(index) && InUse(table.entries[index])) {
            entry = table.entries[index];
            table.entries[index] = SocketEntry{};
            return true;
        }
    }
    SetSocketError(platform::kSocketNotASocket);
    return false;
}

void RecordSocketError() {
    platform::SocketFault fault = platform::LastSocketFault();
    SocketTable& table = Table();
    std::lock_guard lock(table.mutex);
    table.lastError = fault;
}

void SetSocketError(int code) {
    SocketTable& table = Table();
    std::lock_guard lock(table.mutex);
    table.lastError = platform::SocketFault{code, platform::SocketFault::Source::None, 0};
}

platform::SocketFault SaveSocketError() {
    SocketTable& table = Table();
    std::lock_guard lock(table.mutex);
    return table.lastError;
}

void RestoreSocketError(const platform::SocketFault& fault) {
    SocketTable& table = Table();
    std::lock_guard lock(table.mutex);
    table.lastError = fault;
}

int GetSocketErrorCode() {
    SocketTable& table = Table();
    std::lock_guard lock(table.mutex);
    return table.lastError.code;
}

std::string SocketErrorText() {
    platform::SocketFault fault;
    {
        SocketTable& table = Table();
        std::lock_guard lock(table.mutex);
        fault = table.lastError;
    }
    std::string message = platform::SocketFaultMessage(fault);
    if (message.empty()) return message;
    if (message.size() > kMaxMessageLength) message.resize(kMaxMessageLength);
    return std::to_string(fault.code) + " " + message;
}

}  // namespace tvk
