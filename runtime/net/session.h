// The host/join message session: one program hosts (listens, relays, keeps the list of players and
// is its own member), others join; every program registers named players and sends them text. A
// worker thread does all reading and relaying; the calls below talk to it through the session's
// lists under its lock, and requests to the host wait about five seconds for an answer.
//
// Everything a peer sends is checked before it is used: a message announcing more than 1024
// payload bytes ends that connection, ids the host hands out stay below 0xFF00, a member speaks
// and leaves only for its own players, and every queue has a bound (what exceeds it is dropped).
#pragma once

#include <string>

namespace tvk {

struct Session;

Session* CreateIdleSession();
// Announces departure, stops the worker, closes the sockets and frees the session.
void CloseSession(Session* session);

extern Session* g_session;

// port < 1 means 27910. Each ends a running session first. 1 on success, 0 on failure (the
// session is then closed again).
int HostOn(Session& session, int port);
int JoinOn(Session& session, const std::string& host, int port);
// Stops the worker, closes the session's sockets and undoes its start of the socket layer:
// StopSockets's result, or 0 when the session held no start.
int EndSession(Session& session);
void SetAcceptingOn(Session& session, bool accepting);
// How long requests and registrations wait for the host (5000 ms unless changed).
void SetSessionPatience(Session& session, int milliseconds);

// The id the host gave the new local player, 0 when none came in time.
int RegisterPlayer(Session& session, const std::string& name);
int UnregisterPlayer(Session& session, int id);
// target 0: every player but the sender. 1 when sent; 0 also for texts over 1024 bytes.
int SendSessionText(Session& session, int source, int target, const std::string& text);
// The oldest message of a local player; false when there is none.
bool TakePlayerMessage(Session& session, int id, std::string& text);
int LastMessageSender(Session& session);
int RequestPlayerCount(Session& session);
int RequestPlayerId(Session& session, int n);
std::string RequestPlayerName(Session& session, int id);
// Host only: the next player who left, 0 when none.
int TakeLeftPlayer(Session& session);

}  // namespace tvk
