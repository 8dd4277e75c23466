// The host/join message session. Idle until a program hosts or joins.
#pragma once

namespace tvk {

struct Session;

Session* CreateIdleSession();
// Announces departure, stops the worker, closes the sockets and frees the session.
void CloseSession(Session* session);
// Closes every socket and balances the socket layer's starts.
void StopSockets();

extern Session* g_session;

}  // namespace tvk
