// IPv4 TCP and UDP sockets of the operating system, as the runtime's socket table needs them.
//
// Every socket is created non-blocking and is not inherited by child processes. Failures are told
// in the runtime's socket error numbers (the classic numbering of the desktop socket interface:
// 10035 would block, 10036 in progress, 10054 reset, 10061 refused, ...; the whole table is in
// docs/NETWORK.md). Each call sets the calling thread's last socket fault: code 0 on success,
// otherwise the number together with the system's own error behind it, for its message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tvk::platform {

inline constexpr int kSocketNotEnoughMemory = 8;
inline constexpr int kSocketInvalidArgument = 10022;
inline constexpr int kSocketWouldBlock = 10035;
inline constexpr int kSocketInProgress = 10036;
inline constexpr int kSocketNotASocket = 10038;
inline constexpr int kSocketNoDestination = 10039;
inline constexpr int kSocketAddressInUse = 10048;
inline constexpr int kSocketConnectionReset = 10054;
inline constexpr int kSocketTimedOut = 10060;
inline constexpr int kSocketRefused = 10061;
inline constexpr int kSocketNotStarted = 10093;
inline constexpr int kSocketSystemCallFailed = 10107;  // for system errors without a closer number
inline constexpr int kSocketHostNotFound = 11001;

// An IPv4 address and port, both in network byte order. Address 0 with port 0 means none.
struct SocketEndpoint {
    uint32_t address = 0;
    uint16_t port = 0;
    bool IsNone() const { return address == 0 && port == 0; }
};

uint32_t HostToNetwork32(uint32_t value);
uint16_t HostToNetwork16(uint16_t value);
uint32_t NetworkToHost32(uint32_t value);

struct SocketFault {
    enum class Source { None, System, Lookup };
    int code = 0;                   // runtime socket error number, 0 = success
    Source source = Source::None;   // where cause comes from
    int cause = 0;                  // errno, or a host lookup failure
};
SocketFault LastSocketFault();
// Sets the calling thread's fault to a number of the runtime's own (no system cause).
void SetSocketFault(int code);
// The system's text for a fault, ending in CR LF; "" when it has none.
std::string SocketFaultMessage(const SocketFault& fault);
// The runtime number for an errno value.
int SocketErrorFromErrno(int error);

// New sockets, or -1.
int OpenStreamSocket();
int OpenDatagramSocket();
bool AllowAddressReuse(int socket);
bool AllowBroadcast(int socket);
bool BindSocket(int socket, SocketEndpoint local);
bool ListenOnSocket(int socket, int backlog);
// The accepted connection (non-blocking) or -1; peer receives its address when given.
int AcceptOnSocket(int socket, SocketEndpoint* peer);

enum class ConnectState { Connected, Pending, Failed };
ConnectState StartConnect(int socket, SocketEndpoint peer);
enum class ConnectWait { Connected, TimedOut, Failed };
// Waits up to ms for a pending connect to finish; Failed carries the connect's own fault.
ConnectWait WaitForConnect(int socket, int ms);
// Waits up to ms until the socket can take more data (true) or has data to read.
bool WaitUntilWritable(int socket, int ms);
bool WaitUntilReadable(int socket, int ms);

// The address and port a socket is bound to (for a connection: this side's end).
bool LocalEndpointOf(int socket, SocketEndpoint& local);

// Bytes sent or -1. Never raises SIGPIPE. target: the destination of a datagram, or null.
long SendOnSocket(int socket, const void* bytes, size_t length, const SocketEndpoint* target);
// Bytes received (0: the peer closed) or -1.
long ReceiveOnSocket(int socket, void* buffer, size_t size);
bool SetHandleBlocking(int socket, bool blocking);
// Ends a connection at once: no lingering, both directions shut down, then closed. 0 or -1.
int CloseStreamSocket(int socket);
int CloseDatagramSocket(int socket);

// The first IPv4 address of a name or dotted address, in network order.
bool ResolveIpv4(const std::string& name, uint32_t& address);
// The IPv4 addresses of the interfaces that are up, in network order, in the system's order.
bool LocalIpv4Addresses(std::vector<uint32_t>& addresses);

}  // namespace tvk::platform
