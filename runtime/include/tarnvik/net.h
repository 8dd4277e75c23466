// Commands of the net subsystem: IPv4 TCP and UDP sockets numbered 0 to 1023.
//
// Every socket is non-blocking. Failures return -1 (or 0 where noted) and leave a socket error
// number readable with GetSocketError: 10035 would block, 10036 connect timed out, 10038 not a
// socket (a number outside 0..1023 or of a closed socket), 10054 connection reset, 10061 refused,
// 8 all 1024 sockets in use. Addresses are integers in host order: 192.168.0.1 is 0xC0A80001.
// Ports are taken as 16 bits. Data travels as raw bytes, zero bytes included.
#pragma once

#include "tarnvik/rt_string.h"

/// Starts the socket layer; counted: every InitSockets needs a CloseSockets.
/// Returns: 1
RtInt InitSockets();
/// Undoes one InitSockets; the last one closes every socket.
/// Returns: the starts still remaining, or, for the last one, the socket error after closing every socket
RtInt CloseSockets();
/// Opens a TCP socket listening for connections.
/// port: port number, taken as 16 bits
/// Returns: the socket (0 … 1023), −1 on failure
/// Errors: socket error 8 when all 1024 sockets are in use, or the system's reason
RtInt OpenListener(RtInt port);
/// Connects a TCP socket to a host, waiting for the connection.
/// host: name or dotted address; "" stands for this machine
/// port: port number, taken as 16 bits
/// timeoutMs: milliseconds to wait; <= 0 or above 30000 means 30000
/// Returns: the socket (0 … 1023), −1 on failure
/// Errors: socket error 10036 timed out, 10061 refused, 8 all sockets in use, or the system's reason
RtInt ConnectSocket(const RtString& host, RtInt port, RtInt timeoutMs);
/// Takes a waiting connection of a listener.
/// listener: a socket OpenListener gave
/// ip: receives the peer's address (host order)
/// Returns: the new socket (0 … 1023), −1 when nobody is waiting or on failure
/// Errors: socket error 10035 when nobody is waiting; 10038 for a number that is not an open socket; 8 when
/// all sockets are in use; 0 for a UDP socket (which gives −1 too)
RtInt AcceptSocket(RtInt listener, RtInt& ip);
/// Opens a UDP socket that may send broadcasts.
/// port: port number, taken as 16 bits; 0 any free port
/// Returns: the socket (0 … 1023), −1 on failure
/// Errors: socket error 8 when all 1024 sockets are in use, or the system's reason
RtInt OpenUdpSocket(RtInt port);
/// Closes a socket.
/// socket: socket number, 0 … 1023
/// Returns: 1 when closed, 0 on failure
/// Errors: socket error 10038 for a number outside 0 … 1023 or of a closed socket
RtInt CloseSocket(RtInt socket);
/// Sends bytes over a connected TCP socket without waiting.
/// socket: socket number, 0 … 1023
/// data: the bytes, zero bytes included
/// Returns: the bytes sent; 0 when the socket would block (or data is empty); −1 on error
/// Errors: socket error 10038 not a socket, 10054 connection reset, or the system's reason
RtInt SendSocket(RtInt socket, const RtString& data);
/// Sends one datagram over a UDP socket.
/// socket: socket number, 0 … 1023
/// data: the bytes, zero bytes included
/// ip: target address (host order; 0xFFFFFFFF broadcasts)
/// port: target port, taken as 16 bits
/// Returns: the bytes sent; 0 when the socket would block; −1 on error
/// Errors: socket error 10038 not a socket, or the system's reason
RtInt SendUdp(RtInt socket, const RtString& data, RtInt ip, RtInt port);
/// Reads what has arrived on a socket, once, without waiting.
/// socket: socket number, 0 … 1023
/// data: receives the bytes; emptied when nothing was read
/// maximum: bytes to read at most, up to 1048576 per call
/// Returns: the count; or, with data empty: 0 the peer closed (or reset) the connection, −1 error,
/// −2 nothing has arrived yet
/// Errors: socket error 10038 not a socket, 10035 nothing has arrived, or the system's reason
RtInt ReceiveSocket(RtInt socket, RtString& data, RtInt maximum);
/// Looks up the first IPv4 address of a name or dotted address.
/// name: host name or dotted address; "" gives this machine's first address other than 127.x.x.x, or
/// 127.0.0.1
/// Returns: the address (host order), −1 when it cannot be found
RtInt LookupHost(const RtString& name);
/// Writes an address as dotted text.
/// ip: the address (host order), e.g. 0xC0A80001
/// Returns: the text, e.g. "192.168.0.1"
RtString IpToText(RtInt ip);
/// Lists this machine's addresses other than 127.x.x.x.
/// Returns: dotted addresses separated by "|"; "" when there is none
RtString GetLocalIps();
/// Gives the last socket error.
/// Returns: the socket error number and the system's message for it, ending in CR LF
RtString GetSocketError();

// HTTP download: one HTTP/1.0 GET, blocking the calling thread until the body is complete. Only a
// 2xx response counts; its body is its Content-Length of bytes, or everything until the server
// closes when it gives none. Failures leave their reason in GetSocketError: 10022 a control byte
// in the path or host or a space in the host (nothing is sent), the status itself (e.g. 404) for a
// response outside 2xx, 10107 "Protocol error" for one without a status line, 10053 the connection
// closed before the headers ended or before the Content-Length of body arrived, 10054 it was
// reset, 10040 headers longer than 65536 bytes, 10060 the time-out ran out.

/// Downloads a document over HTTP into a file.
/// The body goes to a temporary file beside it that replaces it only when the whole body arrived and
/// was written: after any failure an existing file is as it was.
/// host: server name or dotted address
/// path: the document's path on the server, e.g. "/index.html"
/// port: server port; 0 means 80
/// file: the file to write; a mem:// name fails (10022) without any traffic
/// timeoutMs: milliseconds for the whole download; <= 0 means 30000 (the connect alone waits at most 30000)
/// Returns: 1 on success, else 0
/// Errors: socket errors as listed above; a file that cannot be made or written gives the system's reason
/// (e.g. "10107 No space left on device"), also said on standard error
RtInt DownloadToFile(const RtString& host, const RtString& path, RtInt port, const RtString& file, RtInt timeoutMs);
/// Downloads a document over HTTP as text, up to its first zero byte.
/// host: server name or dotted address
/// path: the document's path on the server
/// port: server port; 0 means 80
/// maximum: bytes to keep at most; the body arrives in pieces of up to 1023 bytes and a piece is kept
/// only while it fits in what is left, so a longer body may come back partly or empty
/// timeoutMs: milliseconds for the whole download; <= 0 means 30000
/// Returns: the text; after a failure what arrived before it
/// Errors: socket errors as listed above
RtString DownloadText(const RtString& host, const RtString& path, RtInt port, RtInt maximum, RtInt timeoutMs);

// Message session: one program hosts (and is its own member), others join; each registers named
// players, gets an id from the host and sends text to one player or to all. A worker thread does
// the network work; calls that ask the host wait about five seconds for the answer.

/// Hosts a session (ending a running one first).
/// port: TCP port; < 1 means 27910
/// Returns: 1 on success, else 0
RtInt HostSession(RtInt port);
/// Joins a session a host runs (ending a running one first).
/// host: the host's name or dotted address
/// port: TCP port; < 1 means 27910
/// Returns: 1 on success, else 0
RtInt JoinSession(const RtString& host, RtInt port);
/// Stops the worker and closes the session's sockets.
/// Returns: the socket layer's stop result (see CloseSockets); 0 when no session ran
RtInt CloseSession();
/// Host: sets whether new connections and players are taken (1 at the start).
/// accepting: non-zero takes them, 0 refuses them
void SetAccepting(RtInt accepting);
/// Registers a named player of this program with the host.
/// name: the player's name
/// Returns: the new player's id (from 101 up), 0 when the host gave none in time
RtInt AddPlayer(const RtString& name);
/// Removes a player of this program.
/// id: the player's id
/// Returns: id, or the send's result when the host could not be told; for 0 or ids of 0xFF00 and above
/// nothing is sent and the result is the id as 16 bits minus 1
RtInt RemovePlayer(RtInt id);
/// Sends a text from one player to another, or to every player.
/// source: the sending player's id
/// target: the receiving player's id; 0 every player but the sender
/// text: the message, at most 1024 bytes
/// Returns: 1 when sent; 0 for texts over 1024 bytes or without a session
RtInt SendMessage(RtInt source, RtInt target, const RtString& text);
/// Takes the oldest message for a player of this program; GetMessageSender then gives its sender.
/// player: the receiving player's id
/// Returns: the message, "" when none
RtString GetMessage(RtInt player);
/// Gives the sender of the message GetMessage took last.
/// Returns: the sending player's id
RtInt GetMessageSender();
/// Counts the players of the session, not counting the hidden ones programs use for their questions.
/// Returns: the count; 0 when the host does not answer
RtInt CountPlayers();
/// Gives the id of the n-th player.
/// n: index from 0
/// Returns: the id; 0 when there is none or no answer
RtInt GetPlayerId(RtInt n);
/// Gives a player's name.
/// id: the player's id
/// Returns: the name; "NO_DATA" for an unknown id or when the host does not answer
RtString GetPlayerName(RtInt id);
/// Host: takes the next player who left (or whose program went away).
/// Returns: the player's id, 0 when none
RtInt GetLeftPlayer();
