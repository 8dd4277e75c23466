// IPv4 sockets over BSD sockets, with errno mapped to the runtime's socket error numbers.
#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

#include "platform/sockets.h"
#include "platform/system.h"

namespace tvk::platform {

namespace {

struct ErrnoCode {
    int error;
    int code;
};

// The first row of a code is the errno its message is taken from when no cause was kept.
constexpr ErrnoCode kErrnoCodes[] = {
    {ENOMEM, kSocketNotEnoughMemory},
    {EINTR, 10004},
    {EBADF, 10009},
    {EACCES, 10013},
    {EPERM, 10013},
    {EFAULT, 10014},
    {EINVAL, kSocketInvalidArgument},
    {EMFILE, 10024},
    {ENFILE, 10024},
    {EWOULDBLOCK, kSocketWouldBlock},
    {EAGAIN, kSocketWouldBlock},
    {EINPROGRESS, kSocketInProgress},
    {EALREADY, 10037},
    {ENOTSOCK, kSocketNotASocket},
    {EDESTADDRREQ, kSocketNoDestination},
    {EMSGSIZE, 10040},
    {EPROTOTYPE, 10041},
    {ENOPROTOOPT, 10042},
    {EPROTONOSUPPORT, 10043},
    {ESOCKTNOSUPPORT, 10044},
    {EOPNOTSUPP, 10045},
    {EPFNOSUPPORT, 10046},
    {EAFNOSUPPORT, 10047},
    {EADDRINUSE, kSocketAddressInUse},
    {EADDRNOTAVAIL, 10049},
    {ENETDOWN, 10050},
    {ENETUNREACH, 10051},
    {ENETRESET, 10052},
    {ECONNABORTED, 10053},
    {ECONNRESET, kSocketConnectionReset},
    {EPIPE, kSocketConnectionReset},  // sending to a peer that is gone
    {ENOBUFS, 10055},
    {EISCONN, 10056},
    {ENOTCONN, 10057},
    {ESHUTDOWN, 10058},
    {ETOOMANYREFS, 10059},
    {ETIMEDOUT, kSocketTimedOut},
    {ECONNREFUSED, kSocketRefused},
    {ELOOP, 10062},
    {ENAMETOOLONG, 10063},
    {EHOSTDOWN, 10064},
    {EHOSTUNREACH, 10065},
};

struct LookupCode {
    int failure;
    int code;
};

constexpr LookupCode kLookupCodes[] = {
    {EAI_NONAME, kSocketHostNotFound},
    {EAI_AGAIN, 11002},
    {EAI_FAIL, 11003},
    {EAI_NODATA, 11004},
    {EAI_ADDRFAMILY, 11004},
    {EAI_FAMILY, 10047},
    {EAI_MEMORY, 10055},
};

thread_local SocketFault t_fault;

void Succeed() { t_fault = SocketFault{}; }

void FailWithErrno(int error) {
    t_fault = SocketFault{SocketErrorFromErrno(error), SocketFault::Source::System, error};
}

bool Fail() {
    FailWithErrno(errno);
    return false;
}

sockaddr_in ToSockaddr(SocketEndpoint endpoint) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = endpoint.port;
    address.sin_addr.s_addr = endpoint.address;
    return address;
}

int OpenSocket(int type) {
    int socket = ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0) return Fail(), -1;
    Succeed();
    return socket;
}

bool SetIntOption(int socket, int level, int option, int value) {
    if (setsockopt(socket, level, option, &value, sizeof value) != 0) return Fail();
    Succeed();
    return true;
}

// Waits for events on one socket, retrying interrupted waits: the events that came, 0 on
// time-out, -1 when the wait itself failed.
int PollFor(int socket, short events, int ms) {
    pollfd entry{socket, events, 0};
    double deadline = MonotonicMs() + ms;
    for (;;) {
        double remaining = deadline - MonotonicMs();
        int ready = poll(&entry, 1, remaining > 0 ? static_cast<int>(remaining + 0.999) : 0);
        if (ready > 0) return entry.revents;
        if (ready == 0) return 0;
        if (errno != EINTR) return Fail(), -1;
    }
}

}  // namespace

uint32_t HostToNetwork32(uint32_t value) { return htonl(value); }
uint16_t HostToNetwork16(uint16_t value) { return htons(value); }
uint32_t NetworkToHost32(uint32_t value) { return ntohl(value); }

SocketFault LastSocketFault() { return t_fault; }

void SetSocketFault(int code) { t_fault = SocketFault{code, SocketFault::Source::None, 0}; }

int SocketErrorFromErrno(int error) {
    for (const ErrnoCode& row : kErrnoCodes)
        if (row.error == error) return row.code;
    return error == 0 ? 0 : kSocketSystemCallFailed;
}

std::string SocketFaultMessage(const SocketFault& fault) {
    std::string text;
    char buffer[256];
    switch (fault.source) {
    case SocketFault::Source::System:
        text = strerror_r(fault.cause, buffer, sizeof buffer);
        break;
    case SocketFault::Source::Lookup:
        text = gai_strerror(fault.cause);
        break;
    case SocketFault::Source::None:
        if (fault.code == 0) text = strerror_r(0, buffer, sizeof buffer);
        else if (fault.code == kSocketNotStarted) text = "The socket layer has not been started.";
        // An HTTP download keeps a response's refusing status as its error.
        else if (fault.code >= 100 && fault.code <= 999)
            text = "The server answered with HTTP status " + std::to_string(fault.code) + ".";
        for (const ErrnoCode& row : kErrnoCodes)
            if (text.empty() && row.code == fault.code) text = strerror_r(row.error, buffer, sizeof buffer);
        for (const LookupCode& row : kLookupCodes)
            if (text.empty() && row.code == fault.code) text = gai_strerror(row.failure);
        break;
    }
    if (!text.empty()) text += "\r\n";
    return text;
}

int OpenStreamSocket() { return OpenSocket(SOCK_STREAM); }
int OpenDatagramSocket() { return OpenSocket(SOCK_DGRAM); }

bool AllowAddressReuse(int socket) { return SetIntOption(socket, SOL_SOCKET, SO_REUSEADDR, 1); }
bool AllowBroadcast(int socket) { return SetIntOption(socket, SOL_SOCKET, SO_BROADCAST, 1); }

bool BindSocket(int socket, SocketEndpoint local) {
    sockaddr_in address = ToSockaddr(local);
    if (bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return Fail();
    Succeed();
    return true;
}

bool ListenOnSocket(int socket, int backlog) {
    if (listen(socket, backlog) != 0) return Fail();
    Succeed();
    return true;
}

int AcceptOnSocket(int socket, SocketEndpoint* peer) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    int accepted = accept4(socket, reinterpret_cast<sockaddr*>(&address), &size, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (accepted < 0) return Fail(), -1;
    if (peer) *peer = SocketEndpoint{address.sin_addr.s_addr, address.sin_port};
    Succeed();
    return accepted;
}

ConnectState StartConnect(int socket, SocketEndpoint peer) {
    sockaddr_in address = ToSockaddr(peer);
    if (connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        Succeed();
        return ConnectState::Connected;
    }
    Fail();
    bool pending = t_fault.code == kSocketWouldBlock || t_fault.code == kSocketInProgress;
    return pending ? ConnectState::Pending : ConnectState::Failed;
}

ConnectWait WaitForConnect(int socket, int ms) {
    int events = PollFor(socket, POLLOUT, ms);
    if (events == 0) return ConnectWait::TimedOut;
    if (events < 0) return ConnectWait::Failed;
    // A refused or failed connect also wakes the wait; the socket's pending error tells which.
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = errno;
    if (error == 0 && !(events & POLLOUT)) error = ECONNABORTED;
    if (error != 0) {
        FailWithErrno(error);
        return ConnectWait::Failed;
    }
    Succeed();
    return ConnectWait::Connected;
}

bool LocalEndpointOf(int socket, SocketEndpoint& local) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size) != 0) return Fail();
    local = SocketEndpoint{address.sin_addr.s_addr, address.sin_port};
    Succeed();
    return true;
}

bool WaitUntilWritable(int socket, int ms) { return PollFor(socket, POLLOUT, ms) > 0; }
bool WaitUntilReadable(int socket, int ms) { return PollFor(socket, POLLIN, ms) > 0; }

long SendOnSocket(int socket, const void* bytes, size_t length, const SocketEndpoint* target) {
    ssize_t sent;
    if (target) {
        sockaddr_in address = ToSockaddr(*target);
        sent = sendto(socket, bytes, length, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&address), sizeof address);
    } else {
        sent = send(socket, bytes, length, MSG_NOSIGNAL);
    }
    if (sent < 0) return Fail(), -1;
    Succeed();
    return static_cast<long>(sent);
}

long ReceiveOnSocket(int socket, void* buffer, size_t size) {
    ssize_t received = recv(socket, buffer, size, 0);
    if (received < 0) return Fail(), -1;
    Succeed();
    return static_cast<long>(received);
}

bool SetHandleBlocking(int socket, bool blocking) {
    int flags = fcntl(socket, F_GETFL);
    if (flags < 0) return Fail();
    flags = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    if (fcntl(socket, F_SETFL, flags) != 0) return Fail();
    Succeed();
    return true;
}

int CloseStreamSocket(int socket) {
    linger off{0, 0};
    setsockopt(socket, SOL_SOCKET, SO_LINGER, &off, sizeof off);
    shutdown(socket, SHUT_RDWR);
    return CloseDatagramSocket(socket);
}

int CloseDatagramSocket(int socket) {
    // The descriptor is gone even when close reports an error, so it is never retried.
    if (close(socket) != 0) return Fail(), -1;
    Succeed();
    return 0;
}

bool ResolveIpv4(const std::string& name, uint32_t& address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* answer = nullptr;
    int failure = getaddrinfo(name.c_str(), nullptr, &hints, &answer);
    if (failure == EAI_SYSTEM) return Fail();
    if (failure != 0) {
        int code = kSocketHostNotFound;
        for (const LookupCode& row : kLookupCodes)
            if (row.failure == failure) code = row.code;
        t_fault = SocketFault{code, SocketFault::Source::Lookup, failure};
        return false;
    }
    address = reinterpret_cast<const sockaddr_in*>(answer->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(answer);
    Succeed();
    return true;
}

bool LocalIpv4Addresses(std::vector<uint32_t>& addresses) {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return Fail();
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET) continue;
        if (!(entry->ifa_flags & IFF_UP)) continue;
        addresses.push_back(reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr.s_addr);
    }
    freeifaddrs(list);
    Succeed();
    return true;
}

}  // namespace tvk::platform
