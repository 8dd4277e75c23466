// The session record shared by the session's calls and its worker thread.
#pragma once

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "net/session_outbox.h"
#include "net/session_roster.h"
#include "net/session_wire.h"
#include "net/socket_table.h"
#include "tarnvik/core.h"

namespace tvk {

// Bounds on what peers can make this side keep.
inline constexpr size_t kMaxQueuedMessages = 4096;  // per local player
inline constexpr size_t kMaxQueuedAnswers = 64;
inline constexpr size_t kMaxQueuedLeavers = 1024;
inline constexpr size_t kMaxMemberConnections = 128;
// What may wait for a member that does not read; beyond it the member is given up. Towards the
// host's own connection, text messages beyond it are dropped instead.
inline constexpr size_t kMaxQueuedBytes = 256 * 1024;
// A member connection without players for this long is closed; while all member connections are
// taken, the one without players the longest makes room for a newcomer.
inline constexpr double kJoinGraceMs = 2000;
// The connection the host listens on keeps this many connections waiting to be accepted.
inline constexpr int kSessionBacklog = 128;
// A host that takes no data for this long is given up (sends of the commands on a member).
inline constexpr int kSessionSendLimitMs = 2000;

struct LocalPlayer {
    uint32_t key = 0;  // tells players apart while they have no id yet
    uint16_t id = kIdRegistered;
    bool hidden = false;
    std::string name;
    std::deque<SessionMessage> messages;
};

// Worker only, apart from EndSession after the worker has stopped.
struct MemberConnection {
    int socket = -1;
    bool own = false;  // the host's connection to itself
    SessionMessageReader reader;
    SessionOutbox outbox;
    double idleSince = 0;  // since when it has had no players; < 0 while it has some
    bool lost = false;
};

struct Session {
    LockHandle lock = nullptr;

    // Guarded by lock.
    int listener = -1;
    int connection = -1;
    SocketAddress ownEnd;  // host only: this side's end of the connection to itself
    bool isHost = false;
    bool accepting = true;
    bool holdsSocketStart = false;
    uint16_t queryId = 0;
    uint16_t lastSender = 0;
    uint32_t nextKey = 1;
    int patienceMs = 5000;
    std::vector<LocalPlayer> locals;
    HostRoster roster;
    std::deque<SessionMessage> answers;
    std::deque<uint16_t> playersLeft;

    std::atomic<bool> stopRequest{true};
    std::atomic<bool> workerRunning{false};
    std::thread worker;
    // Whole messages go out on the connection one at a time; the connection is closed under it too.
    std::mutex sendMutex;

    SessionMessageReader ownReader;
    std::vector<MemberConnection> members;
};

// Holds the session's lock for a scope.
class SessionLock {
public:
    explicit SessionLock(Session& session) : session_(session) { AcquireLock(&session_.lock); }
    ~SessionLock() { ReleaseLock(&session_.lock); }
    SessionLock(const SessionLock&) = delete;
    SessionLock& operator=(const SessionLock&) = delete;

private:
    Session& session_;
};

// Sends a whole message on the session's connection: the byte count, or -1.
int SendOnConnection(Session& session, const SessionMessage& message);
// Closes the session's connection; messages stop arriving.
void LoseConnection(Session& session);
void RunSessionWorker(Session& session);

}  // namespace tvk
