#include "net/session.h"

#include "tarnvik/core.h"

namespace tvk {

struct Session {
    LockHandle lock = nullptr;
};

Session* g_session = nullptr;

Session* CreateIdleSession() {
    Session* session = new Session;
    InitLock(&session->lock);
    return session;
}

void CloseSession(Session* session) {
    if (!session) return;
    DestroyLock(&session->lock);
    delete session;
}

}  // namespace tvk
