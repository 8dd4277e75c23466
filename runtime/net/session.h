// The host/join message session. Idle until a program hosts or joins.
#pragma once

namespace tvk {

struct Session;

Session* CreateIdleSession();
// Announces departure, stops the worker, closes the sockets and frees the session.
void CloseSession(Session* session);

extern Session* g_session;

}  // namespace tvk
