#include "net/socket_operations.h"

#include <cstdio>

#include "platform/system.h"

namespace tvk {

namespace {

// How long a send or a wait-for-all receive sleeps on the socket before trying again.
constexpr int kRetryWaitMs = 50;

SocketAddress AnyAddress(int port) {
    return SocketAddress{0, platform::HostToNetwork16(static_cast<uint16_t>(port))};
}

// Claims an entry and opens a socket for it: the index, or -1 with nothing left claimed.
int ClaimNewSocket(bool isUdp, int& socket) {
    int index = ClaimEntry();
    if (index < 0) return -1;
    socket = isUdp ? platform::OpenDatagramSocket() : platform::OpenStreamSocket();
    if (socket >= 0) return index;
    RecordSocketError();
    ReleaseClaim(index);
    return -1;
}

// Records the failure, closes the half-made socket and gives its entry back.
int AbandonSetup(int index, int socket, bool isUdp) {
    RecordSocketError();
    if (isUdp) platform::CloseDatagramSocket(socket);
    else platform::CloseStreamSocket(socket);
    ReleaseClaim(index);
    return -1;
}

}  // namespace

int ConnectTimeoutMs(int ms) {
    return ms <= 0 || ms > kDefaultConnectTimeoutMs ? kDefaultConnectTimeoutMs : ms;
}

int ListenTcp(int port, int backlog) {
    int socket = -1;
    int index = ClaimNewSocket(false, socket);
    if (index < 0) return -1;
    SocketAddress local = AnyAddress(port);
    if (!platform::AllowAddressReuse(socket) || !platform::BindSocket(socket, local) ||
        !platform::ListenOnSocket(socket, backlog))
        return AbandonSetup(index, socket, false);
    FillEntry(index, socket, local, false);
    RecordSocketError();
    return index;
}

int ConnectTcp(SocketAddress address, int ms) {
    if (address.IsNone()) return -1;
    int socket = -1;
    int index = ClaimNewSocket(false, socket);
    if (index < 0) return -1;
    platform::ConnectState state = platform::StartConnect(socket, address);
    if (state == platform::ConnectState::Pending) {
        int timeout = ConnectTimeoutMs(ms);
        switch (platform::WaitForConnect(socket, timeout)) {
        case platform::ConnectWait::TimedOut:
            platform::CloseStreamSocket(socket);
            ReleaseClaim(index);
            SetSocketError(platform::kSocketInProgress);
            std::printf("\nConnect Timeout (%d ms).", timeout);
            return -1;
        case platform::ConnectWait::Connected:
            std::printf("\nConnected...");
            state = platform::ConnectState::Connected;
            break;
        case platform::ConnectWait::Failed:
            std::printf("\nSelect() Error.");
            break;
        }
    }
    if (state != platform::ConnectState::Connected) return AbandonSetup(index, socket, false);
    FillEntry(index, socket, address, false);
    RecordSocketError();
    return index;
}

int AcceptTcp(int listener, SocketAddress* peer) {
    SocketEntry entry;
    if (!ReadEntry(listener, entry)) return -1;
    if (entry.isUdp) {
        SetSocketError(0);
        return -1;
    }
    SocketAddress from;
    int socket = platform::AcceptOnSocket(entry.socket, &from);
    if (socket < 0) {
        RecordSocketError();
        return -1;
    }
    int index = ClaimEntry();
    if (index < 0) {
        platform::CloseStreamSocket(socket);
        return -1;
    }
    FillEntry(index, socket, from, false);
    if (peer) *peer = from;
    SetSocketError(0);
    return index;
}

int OpenUdp(int port) {
    int socket = -1;
    int index = ClaimNewSocket(true, socket);
    if (index < 0) return -1;
    SocketAddress local = AnyAddress(port);
    if (!platform::AllowAddressReuse(socket)) return AbandonSetup(index, socket, true);
    if (local.port != 0 && !platform::BindSocket(socket, local)) return AbandonSetup(index, socket, true);
    platform::AllowBroadcast(socket);
    FillEntry(index, socket, local, true);
    RecordSocketError();
    return index;
}

int CloseEntry(int index) {
    SocketEntry entry;
    if (!TakeEntry(index, entry)) return -1;
    if (entry.isUdp) {
        // Closed at once (not kept until the layer stops) so the port is free to be opened again.
        platform::CloseDatagramSocket(entry.socket);
        return 0;
    }
    int result = platform::CloseStreamSocket(entry.socket);
    RecordSocketError();
    return result;
}

namespace {

// Sends every byte; limitMs < 0 waits for room as long as it takes, otherwise at most that long
// in all (then -1 with error 10060).
int SendWithin(int index, const void* bytes, int length, const SocketAddress* target, int limitMs) {
    SocketEntry entry;
    if (!ReadEntry(index, entry)) return -1;
    if (entry.isUdp && (!target || target->IsNone())) {
        SetSocketError(platform::kSocketNoDestination);
        return -1;
    }
    if (length <= 0) return 0;
    const SocketAddress* destination = entry.isUdp ? target : nullptr;
    const char* next = static_cast<const char*>(bytes);
    const double deadline = platform::MonotonicMs() + limitMs;
    int sent = 0;
    while (sent < length) {
        long result = platform::SendOnSocket(entry.socket, next + sent, static_cast<size_t>(length - sent), destination);
        RecordSocketError();
        if (result >= 0) {
            sent += static_cast<int>(result);
            continue;
        }
        if (platform::LastSocketFault().code != platform::kSocketWouldBlock) return -1;
        if (limitMs >= 0 && platform::MonotonicMs() > deadline) {
            SetSocketError(platform::kSocketTimedOut);
            return -1;
        }
        platform::WaitUntilWritable(entry.socket, kRetryWaitMs);
    }
    return sent;
}

}  // namespace

int SendData(int index, const void* bytes, int length, const SocketAddress* target) {
    return SendWithin(index, bytes, length, target, -1);
}

int SendDataWithin(int index, const void* bytes, int length, int limitMs) {
    return SendWithin(index, bytes, length, nullptr, limitMs < 0 ? 0 : limitMs);
}

int SendAvailable(int index, const void* bytes, int length) {
    SocketEntry entry;
    if (!ReadEntry(index, entry)) return -1;
    if (entry.isUdp) {
        SetSocketError(platform::kSocketNoDestination);
        return -1;
    }
    if (length <= 0) return 0;
    long result = platform::SendOnSocket(entry.socket, bytes, static_cast<size_t>(length), nullptr);
    RecordSocketError();
    if (result >= 0) return static_cast<int>(result);
    return platform::LastSocketFault().code == platform::kSocketWouldBlock ? 0 : -1;
}

SocketAddress LocalAddressOf(int index) {
    SocketEntry entry;
    SocketAddress local;
    if (!ReadEntry(index, entry)) return local;
    if (!platform::LocalEndpointOf(entry.socket, local)) local = SocketAddress{};
    RecordSocketError();
    return local;
}

int ReceiveData(int index, void* buffer, int size, bool waitForAll) {
    SocketEntry entry;
    if (!ReadEntry(index, entry)) return -1;
    if (size <= 0) {
        // A zero-byte read would look like a closed connection.
        SetSocketError(platform::kSocketInvalidArgument);
        return -1;
    }
    char* next = static_cast<char*>(buffer);
    int received = 0;
    do {
        long result = platform::ReceiveOnSocket(entry.socket, next + received, static_cast<size_t>(size - received));
        RecordSocketError();
        if (result > 0) {
            received += static_cast<int>(result);
            if (!waitForAll) return received;
            continue;
        }
        if (result == 0) return 0;
        int code = platform::LastSocketFault().code;
        if (code == platform::kSocketConnectionReset) return 0;
        if (code != platform::kSocketWouldBlock) return -1;
        if (!waitForAll || received == 0) return -2;
        platform::WaitUntilReadable(entry.socket, kRetryWaitMs);
    } while (received < size);
    return size;
}

int SetSocketBlocking(int index, bool blocking) {
    SocketEntry entry;
    if (!ReadEntry(index, entry)) return GetSocketErrorCode();
    platform::SetHandleBlocking(entry.socket, blocking);
    RecordSocketError();
    return platform::LastSocketFault().code;
}

}  // namespace tvk
