// The session's worker thread: sends join requests of new local players, reads the connection to
// the host and, on the host, accepts members, reads them and relays. Socket calls happen outside
// the session's lock; the lock is held only while lists and queues change.
#include "net/session_state.h"
#include "net/socket_operations.h"
#include "platform/system.h"

namespace tvk {

namespace {

constexpr int kIdleSleepMs = 10;
constexpr int kReadChunk = 4096;
// Reads per connection and cycle, so one busy peer cannot starve the others or the stop request.
constexpr int kReadsPerCycle = 16;

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

// Reads what has arrived into the reader and takes out the complete messages. False when the
// connection is closed, failed or sent something that cannot be a message.
bool ReadMessages(int socket, SessionMessageReader& reader, std::vector<SessionMessage>& messages, bool& busy) {
    char chunk[kReadChunk];
    bool open = true;
    for (int read = 0; read < kReadsPerCycle; ++read) {
        int count = ReceiveData(socket, chunk, kReadChunk, false);
        if (count == -2) break;
        if (count <= 0) {
            open = false;
            break;
        }
        busy = true;
        reader.Feed(chunk, static_cast<size_t>(count));
    }
    SessionMessage message;
    while (reader.Next(message)) messages.push_back(std::move(message));
    return open && !reader.Broken();
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
    if (!ReadMessages(connection, session.ownReader, work.own, work.busy)) {
        LoseConnection(session);
        work.busy = true;
    }
}

void AcceptAndReadMembers(Session& session, CycleWork& work) {
    int listener;
    bool accepting;
    {
        SessionLock hold(session);
        listener = session.listener;
        accepting = session.accepting;
    }
    if (accepting && session.members.size() < kMaxMemberConnections) {
        int socket = AcceptTcp(listener, nullptr);
        if (socket >= 0) {
            session.members.push_back({socket, {}, false});
            work.busy = true;
        }
    }
    for (size_t index = 0; index < session.members.size(); ++index) {
        MemberConnection& member = session.members[index];
        std::vector<SessionMessage> messages;
        if (!ReadMessages(member.socket, member.reader, messages, work.busy)) member.lost = true;
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

void ProcessUnderLock(Session& session, CycleWork& work) {
    SessionLock hold(session);
    Deliver(session, work.own);
    if (!session.isHost) return;
    std::vector<uint16_t> left;
    for (const auto& [index, message] : work.fromMembers)
        session.roster.Handle(session.members[index].socket, message, session.accepting, work.out, left);
    for (const MemberConnection& member : session.members)
        if (member.lost) session.roster.DropConnection(member.socket, left);
    for (uint16_t id : left) PushBounded(session.playersLeft, id, kMaxQueuedLeavers);
}

void SendToMembers(Session& session, const std::vector<OutgoingMessage>& out) {
    for (const OutgoingMessage& outgoing : out) {
        for (MemberConnection& member : session.members) {
            if (member.socket != outgoing.connection || member.lost) continue;
            std::string bytes = EncodeMessage(outgoing.message);
            if (SendDataWithin(member.socket, bytes.data(), static_cast<int>(bytes.size()), kSessionSendLimitMs) < 0)
                member.lost = true;
            break;
        }
    }
}

// Closes lost member connections, moving the last one into each gap. Their players were dropped
// when the loss was seen, or are dropped here when it came from a failed send.
void CloseLostMembers(Session& session) {
    std::vector<uint16_t> left;
    for (size_t index = 0; index < session.members.size();) {
        MemberConnection& member = session.members[index];
        if (!member.lost) {
            ++index;
            continue;
        }
        {
            SessionLock hold(session);
            session.roster.DropConnection(member.socket, left);
            for (uint16_t id : left) PushBounded(session.playersLeft, id, kMaxQueuedLeavers);
            left.clear();
        }
        CloseEntry(member.socket);
        member = std::move(session.members.back());
        session.members.pop_back();
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
    if (isHost) AcceptAndReadMembers(session, work);
    ProcessUnderLock(session, work);
    if (isHost) {
        SendToMembers(session, work.out);
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
