// Operations on socket table entries, shared by the socket commands, the message session and
// HTTP download. Indices are checked: a number outside the table or naming a free entry fails
// with error 10038 and touches nothing. Every socket is non-blocking unless SetSocketBlocking
// says otherwise.
#pragma once

#include <string>
#include <string_view>

#include "net/socket_table.h"

namespace tvk {

inline constexpr int kDefaultConnectTimeoutMs = 30000;
inline constexpr int kListenBacklog = 10;

// The wait of a connect: ms, or 30000 when ms <= 0 or ms > 30000.
int ConnectTimeoutMs(int ms);

// A TCP listener on 0.0.0.0:port: the entry index or -1. backlog: connections the system keeps
// waiting for an accept.
int ListenTcp(int port, int backlog = kListenBacklog);
// A TCP connection to address, waiting up to ConnectTimeoutMs(ms) for it: the index or -1.
// Prints a line on standard output when the wait times out, succeeds or fails.
int ConnectTcp(SocketAddress address, int ms);
// A waiting connection of a listener as a new entry, or -1 (error 10035 when nobody waits,
// error 0 when the entry is a UDP one). peer, when given, receives the peer's address.
int AcceptTcp(int listener, SocketAddress* peer);
// A UDP socket bound to port (0: any port), allowed to broadcast: the index or -1.
int OpenUdp(int port);
// Frees the entry and closes its socket: 0 on success (always for a UDP entry), -1 on failure.
int CloseEntry(int index);
// Sends every byte, retrying while the system's buffer is full: length, 0 for length <= 0, or -1.
// A UDP entry needs a target; a TCP entry ignores it.
int SendData(int index, const void* bytes, int length, const SocketAddress* target);
// SendData on a TCP entry that gives up when the bytes are not all out after limitMs:
// -1 with error 10060 (what went out before stays sent). For peers that may stop reading.
int SendDataWithin(int index, const void* bytes, int length, int limitMs);
// One send of what a TCP entry's socket takes at once, never waiting: the count (0 when its
// buffer is full, error 10035), or -1.
int SendAvailable(int index, const void* bytes, int length);
// waitForAll false: one read of up to size bytes: the count, 0 when the peer closed or reset the
// connection, -2 when nothing has arrived yet, -1 on errors.
// waitForAll true: reads until size bytes arrived and returns size; -2 when nothing was there at
// all, 0 when the peer closed (what arrived is dropped), -1 on errors.
int ReceiveData(int index, void* buffer, int size, bool waitForAll);
// Switches the entry's socket between blocking and non-blocking; returns the socket error.
int SetSocketBlocking(int index, bool blocking);

// This side's address and port of an entry's socket, both in network order; none on failure.
SocketAddress LocalAddressOf(int index);

// The first address of a name, with port (host order) in network order; none on failure.
// An empty name stands for this machine: its first non-loopback address, else 127.0.0.1.
SocketAddress ResolveHost(const std::string& name, int port);
// This machine's IPv4 addresses other than 127.x.x.x, each followed by separator, at most 2047
// characters. Returns how many were written; 0 with empty text when they cannot be listed.
int LocalAddressList(std::string_view separator, std::string& text);
// "a.b.c.d" of an address in host order, most significant octet first.
std::string IpText(uint32_t hostOrder);

}  // namespace tvk
