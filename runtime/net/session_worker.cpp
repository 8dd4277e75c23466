// The session's worker thread: sends join requests of new local players, reads the connection to
// the host and, on the host, accepts members, reads them and relays. Socket calls happen outside
// the session's lock; the lock is held only while lists and queues change.
//
// On the host no peer can hold the worker up: sends to members never wait (what a socket does not
// take waits in that member's outbox), each member gets a bounded share of every cycle, and
// connections that register nobody give their place up.
#include <algorithm>

#include "net/session_state.h"
#include "net/socket_operations.h"
#include "platform/system.h"

namespace tvk {

namespace {

constexpr int kIdleSleepMs = 10;
constexpr int kReadChunk = 4096;
// Reads of the connection to the host per cycle, so a busy host cannot starve the stop request.
constexpr int kOwnReadsPerCycle = 64;
// Each member's share of a cycle: what is beyond it waits in the system's buffers, which in turn
// slows down a peer that floods.
constexpr size_t kMessagesPerCycle = 64;
constexpr int kMemberReadsPerCycle = 16;
constexpr int kAcceptsPerCycle = 16;

struct CycleWork {
    std::vector<SessionMessage> own;  // from the connection to the host
    std::vector<std::pair<size_t, SessionMessage>> fromMembers;  // member index, message
    std::vector<OutgoingMessage> out;
    bool busy = false;
};

template <typename T>
void PushBounded(std::deque<T>& queue, T value, size_t limit) {
    if (queue.size() < limit) queue.push_back(std::move(value));
}

// Takes up to limit complete messages from a connection, reading only while fewer are held. False
// when the connection is closed, failed or sent something that cannot be a message.
bool ReadMessages(int socket, SessionMessageReader& reader, size_t limit, int reads,
                  std::vector<SessionMessage>& messages, bool& busy) {
    char chunk[kReadChunk];
    size_t taken = 0;
    SessionMessage message;
    for (int read = 0;; ++read) {
        while (taken < limit && reader.Next(message)) {
            messages.push_back(std::move(message));
            ++taken;
        }
        if (taken > 0) busy = true;
        if (taken >= limit || reader.Broken() || read == reads) break;
        int count = ReceiveData(socket, chunk, kReadChunk, false);
        if (count == -2) break;
        if (count <= 0) return false;
        busy = true;
        reader.Feed(chunk, static_cast<size_t>(count));
    }
    return !reader.Broken();
}

void SendJoinRequests(Session& session, CycleWork& work) {
    std::vector<SessionMessage> joins;
    {
        SessionLock hold(session);
        for (LocalPlayer& player : session.locals) {
            if (player.id != kIdRegistered) continue;
            joins.push_back({kJoinRequest, kTargetHost, 0, EncodeJoinRecord({player.id, player.hidden, player.name})});
            player.id = kIdJoinSent;
        }
    }
    for (const SessionMessage& join : joins) SendOnConnection(session, join);
    if (!joins.empty()) work.busy = true;
}

void ReadOwnConnection(Session& session, CycleWork& work) {
    int connection;
    {
        SessionLock hold(session);
        connection = session.connection;
    }
    if (connection < 0) return;
    if (!ReadMessages(connection, session.ownReader, SIZE_MAX, kOwnReadsPerCycle, work.own, work.busy)) {
        LoseConnection(session);
        work.busy = true;
    }
}

// Closes a member connection, moving the last one into its place. Its players leave.
void CloseMember(Session& session, size_t index) {
    MemberConnection& member = session.members[index];
    {
        SessionLock hold(session);
        std::vector<uint16_t> left;
        session.roster.DropConnection(member.socket, left);
        for (uint16_t id : left) PushBounded(session.playersLeft, id, kMaxQueuedLeavers);
    }
    CloseEntry(member.socket);
    member = std::move(session.members.back());
    session.members.pop_back();
}

// Makes room for a newcomer by closing the connection that has been without players longest.
bool EvictIdleMember(Session& session) {
    auto& members = session.members;
    size_t oldest = members.size();
    for (size_t index = 0; index < members.size(); ++index) {
        const MemberConnection& member = members[index];
        if (member.own || member.idleSince < 0) continue;
        if (oldest == members.size() || member.idleSince < members[oldest].idleSince) oldest = index;
    }
    if (oldest == members.size()) return false;
    CloseMember(session, oldest);
    return true;
}

void AcceptMembers(Session& session, CycleWork& work, double now) {
    int listener;
    SocketAddress ownEnd;
    {
        SessionLock hold(session);
        if (!session.accepting) return;
        listener = session.listener;
        ownEnd = session.ownEnd;
    }
    for (int accepted = 0; accepted < kAcceptsPerCycle; ++accepted) {
        SocketAddress peer;
        int socket = AcceptTcp(listener, &peer);
        if (socket < 0) return;
        work.busy = true;
        // The host's connection to itself is always let in.
        bool own = !ownEnd.IsNone() && peer.address == ownEnd.address && peer.port == ownEnd.port;
        if (!own && session.members.size() >= kMaxMemberConnections && !EvictIdleMember(session)) {
            CloseEntry(socket);
            continue;
        }
        if (own) {
            SessionLock hold(session);
            session.roster.SetOwnConnection(socket);
        }
        MemberConnection member;
        member.socket = socket;
        member.own = own;
        member.idleSince = now;
        session.members.push_back(std::move(member));
    }
}

void ReadMembers(Session& session, CycleWork& work) {
    std::vector<SessionMessage> messages;
    for (size_t index = 0; index < session.members.size(); ++index) {
        MemberConnection& member = session.members[index];
        messages.clear();
        if (!ReadMessages(member.socket, member.reader, kMessagesPerCycle, kMemberReadsPerCycle, messages, work.busy))
            member.lost = true;
        for (SessionMessage& message : messages) work.fromMembers.emplace_back(index, std::move(message));
    }
}

// Hands messages from the host to local players and waiting requests.
void Deliver(Session& session, std::vector<SessionMessage>& messages) {
    for (SessionMessage& message : messages) {
        if (message.type == kJoinAccepted) {
            uint16_t id = static_cast<uint16_t>(message.target);
            if (id == 0 || id >= kIdNone) continue;
            for (LocalPlayer& player : session.locals) {
                if (player.id != kIdJoinSent) continue;
                player.id = id;
                break;
            }
        } else if (message.type > 99) {
            PushBounded(session.answers, std::move(message), kMaxQueuedAnswers);
        } else if (message.type == kDataMessage) {
            uint16_t target = static_cast<uint16_t>(message.target);
            if (target == 0 || target >= kIdNone) continue;
            for (LocalPlayer& player : session.locals) {
                if (player.id != target) continue;
                PushBounded(player.messages, std::move(message), kMaxQueuedMessages);
                break;
            }
        }
    }
}

// Connections that have had no players for the grace time are given up.
void MarkIdleMembers(Session& session, double now) {
    for (MemberConnection& member : session.members) {
        if (member.own || member.lost) continue;
        if (session.roster.PlayersOf(member.socket) > 0) member.idleSince = -1;
        else if (member.idleSince < 0) member.idleSince = now;
        else if (now - member.idleSince >= kJoinGraceMs) member.lost = true;
    }
}

void ProcessUnderLock(Session& session, CycleWork& work, double now) {
    SessionLock hold(session);
    Deliver(session, work.own);
    if (!session.isHost) return;
    std::vector<uint16_t> left;
    for (const auto& [index, message] : work.fromMembers)
        session.roster.Handle(session.members[index].socket, message, session.accepting, work.out, left);
    for (const MemberConnection& member : session.members)
        if (member.lost) session.roster.DropConnection(member.socket, left);
    for (uint16_t id : left) PushBounded(session.playersLeft, id, kMaxQueuedLeavers);
    MarkIdleMembers(session, now);
}

// Appends each outgoing message to its member's outbox. A member whose outbox would grow past the
// bound is given up; the host's own connection drops text messages instead.
void QueueForMembers(Session& session, const std::vector<OutgoingMessage>& out) {
    if (out.empty()) return;
    std::vector<int> memberOf(kSocketCount, -1);
    for (size_t index = 0; index < session.members.size(); ++index) {
        int socket = session.members[index].socket;
        if (socket >= 0 && socket < kSocketCount) memberOf[socket] = static_cast<int>(index);
    }
    for (const OutgoingMessage& outgoing : out) {
        if (outgoing.connection < 0 || outgoing.connection >= kSocketCount) continue;
        int index = memberOf[outgoing.connection];
        if (index < 0) continue;
        MemberConnection& member = session.members[index];
        if (member.lost) continue;
        std::string bytes = EncodeMessage(outgoing.message);
        if (member.outbox.Size() + bytes.size() > kMaxQueuedBytes) {
            if (!member.own) {
                member.lost = true;
                continue;
            }
            if (outgoing.message.type == kDataMessage) continue;
        }
        member.outbox.Append(bytes);
    }
}

void FlushMembers(Session& session, CycleWork& work) {
    for (MemberConnection& member : session.members) {
        if (member.lost || member.outbox.Empty()) continue;
        int socket = member.socket;
        long sent = member.outbox.Flush(
            [socket](const char* bytes, int length) { return SendAvailable(socket, bytes, length); });
        if (sent < 0) member.lost = true;
        if (sent != 0) work.busy = true;
    }
}

void CloseLostMembers(Session& session) {
    for (size_t index = 0; index < session.members.size();) {
        if (session.members[index].lost) CloseMember(session, index);
        else ++index;
    }
}

bool RunCycle(Session& session) {
    CycleWork work;
    SendJoinRequests(session, work);
    ReadOwnConnection(session, work);
    bool isHost;
    {
        SessionLock hold(session);
        isHost = session.isHost;
    }
    double now = platform::MonotonicMs();
    if (isHost) {
        AcceptMembers(session, work, now);
        ReadMembers(session, work);
    }
    ProcessUnderLock(session, work, now);
    if (isHost) {
        QueueForMembers(session, work.out);
        FlushMembers(session, work);
        CloseLostMembers(session);
    }
    return work.busy;
}

}  // namespace

void RunSessionWorker(Session& session) {
    while (!session.stopRequest) {
        if (!RunCycle(session)) platform::SleepMs(kIdleSleepMs);
    }
    session.workerRunning = false;
}

}  // namespace tvk
