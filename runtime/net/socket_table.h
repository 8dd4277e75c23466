// The process-wide socket table: 1024 entries whose index is the program's socket number, the
// layer's start count and the last socket error.
//
// Table changes and the start count are guarded by one mutex, so the main thread and the session
// worker can claim and free entries at the same time. No lock is held while a socket call waits.
#pragma once

#include <string>

#include "platform/sockets.h"

namespace tvk {

inline constexpr int kSocketCount = 1024;
inline constexpr int kSocketTableFull = 8;

// An IPv4 address and port, both in network byte order; address 0 with port 0 means none.
using SocketAddress = platform::SocketEndpoint;

struct SocketEntry {
    int socket = -1;  // system socket; -1 = free
    SocketAddress address;  // the local or peer address the entry was made with
    bool isUdp = false;
};

// Counted starts: the first one clears the table. Always succeeds (1).
int StartSockets();
// Undoes one start. While other starts remain, returns their count and closes nothing; the last
// one closes every entry and returns the last socket error.
int StopSockets();
int SocketStartCount();

// Reserves the lowest free entry for a socket being set up: its index, or -1 with error 8 when
// the table is full (or 10093 when the layer is not started).
int ClaimEntry();
// Completes a claimed entry.
void FillEntry(int index, int socket, SocketAddress address, bool isUdp);
// Gives a claimed entry back unused.
void ReleaseClaim(int index);
// A copy of an entry in use; false (error 10038) for numbers outside the table or free entries.
bool ReadEntry(int index, SocketEntry& entry);
// Frees an entry in use and hands over what it held; false (error 10038) as ReadEntry.
bool TakeEntry(int index, SocketEntry& entry);

// The last socket error, shared by every thread: whichever operation wrote it last.
void RecordSocketError();  // copies the calling thread's last system socket fault
void SetSocketError(int code);
// The whole last error (number and system cause), to put back after clean-up calls overwrote it.
platform::SocketFault SaveSocketError();
void RestoreSocketError(const platform::SocketFault& fault);
int GetSocketErrorCode();
// "%d %s": the code and the system's message for it (CR LF ended); "" when there is none.
std::string SocketErrorText();

}  // namespace tvk
