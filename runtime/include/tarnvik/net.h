// Commands of the net subsystem: IPv4 TCP and UDP sockets numbered 0 to 1023.
//
// Every socket is non-blocking. Failures return -1 (or 0 where noted) and leave a socket error
// number readable with GetSocketError: 10035 would block, 10036 connect timed out, 10038 not a
// socket (a number outside 0..1023 or of a closed socket), 10054 connection reset, 10061 refused,
// 8 all 1024 sockets in use. Addresses are integers in host order: 192.168.0.1 is 0xC0A80001.
// Ports are taken as 16 bits. Data travels as raw bytes, zero bytes included.
#pragma once

#include "tarnvik/rt_string.h"

// Starts the socket layer (counted: every InitSockets needs a CloseSockets). 1 on success.
RtInt InitSockets();
// Undoes one InitSockets: the starts still remaining, or, for the last one, the socket error
// after closing every socket.
RtInt CloseSockets();
RtInt OpenListener(RtInt port);
// host "" stands for this machine. Waits up to timeoutMs for the connection (30000 when the
// time-out is <= 0 or above 30000).
RtInt ConnectSocket(const RtString& host, RtInt port, RtInt timeoutMs);
// A waiting connection of a listener, or -1 (error 10035 when nobody is waiting); ip receives
// the peer's address.
RtInt AcceptSocket(RtInt listener, RtInt& ip);
// port 0: any free port. The socket may send broadcasts.
RtInt OpenUdpSocket(RtInt port);
// 1 when closed, 0 on failure.
RtInt CloseSocket(RtInt socket);
RtInt SendSocket(RtInt socket, const RtString& data);
RtInt SendUdp(RtInt socket, const RtString& data, RtInt ip, RtInt port);
// One read of up to maximum bytes (at most 1048576 per call) into data. Returns the count, or
// with data empty: 0 the peer closed the connection, -1 error, -2 nothing has arrived yet.
RtInt ReceiveSocket(RtInt socket, RtString& data, RtInt maximum);
// The first address of a name or dotted address, -1 when it cannot be found. "" gives this
// machine's first address other than 127.x.x.x, or 127.0.0.1.
RtInt LookupHost(const RtString& name);
RtString IpToText(RtInt ip);
// This machine's addresses other than 127.x.x.x, separated by "|"; "" when there is none.
RtString GetLocalIps();
// The last socket error number and the system's message for it, ending in CR LF.
RtString GetSocketError();

// HTTP download: one HTTP/1.0 GET, blocking the calling thread until the body is complete. Port
// 0 means 80. timeoutMs bounds the whole download (30000 when <= 0; the connect alone waits at
// most 30000). Only a 2xx response counts; its body is its Content-Length of bytes, or everything
// until the server closes when it gives none. Failures leave their reason in GetSocketError:
// 10022 a control byte in the path or host or a space in the host (nothing is sent), the status
// itself (e.g. 404) for a response outside 2xx, 10107 "Protocol error" for one without a status
// line, 10053 the connection closed before the headers ended or before the Content-Length of
// body arrived, 10054 it was reset, 10040 headers longer than 65536 bytes, 10060 the time-out
// ran out.
//
// Saves the body to file, through a temporary file beside it that replaces it only when the whole
// body arrived and was written: after any failure an existing file is as it was. A mem:// name
// fails (10022) without any traffic; a file that cannot be made or written fails with the
// system's reason (e.g. "10107 No space left on device"), also said on standard error. 1 on
// success, else 0.
RtInt DownloadToFile(const RtString& host, const RtString& path, RtInt port, const RtString& file, RtInt timeoutMs);
// The body as text, up to its first zero byte. The body arrives in pieces of up to 1023 bytes and
// a piece is kept only while it fits in what is left of maximum, so a body longer than maximum
// may come back partly or empty. A failure gives what arrived before it.
RtString DownloadText(const RtString& host, const RtString& path, RtInt port, RtInt maximum, RtInt timeoutMs);

// Message session: one program hosts (and is its own member), others join; each registers named
// players, gets an id from the host and sends text to one player or to all. A worker thread does
// the network work; calls that ask the host wait about five seconds for the answer.
//
// port < 1 means 27910. Each ends a running session first. 1 on success.
RtInt HostSession(RtInt port);
RtInt JoinSession(const RtString& host, RtInt port);
// Stops the worker and closes the session's sockets; the socket layer's stop result (0 when no
// session ran).
RtInt CloseSession();
// Host: whether new connections and players are taken (1 at the start).
void SetAccepting(RtInt accepting);
// The new player's id (from 101 up), 0 when the host gave none in time.
RtInt AddPlayer(const RtString& name);
// id, or the send's result when the host could not be told; for 0 or ids of 0xFF00 and above
// nothing is sent and the result is the id as 16 bits minus 1.
RtInt RemovePlayer(RtInt id);
// target 0: every player but the sender. 1 when sent; 0 for texts over 1024 bytes.
RtInt SendMessage(RtInt source, RtInt target, const RtString& text);
// The oldest message of a player of this program, "" when none; GetMessageSender then gives its
// sender.
RtString GetMessage(RtInt player);
RtInt GetMessageSender();
// Players of the session, not counting the hidden ones programs use for their questions; 0 when
// the host does not answer.
RtInt CountPlayers();
// The id of the n-th player (from 0), 0 when there is none or no answer.
RtInt GetPlayerId(RtInt n);
// "NO_DATA" for an unknown id or when the host does not answer.
RtString GetPlayerName(RtInt id);
// Host: the next player who left (or whose program went away), 0 when none.
RtInt GetLeftPlayer();
