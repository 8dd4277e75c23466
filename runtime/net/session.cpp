#include "net/session.h"

#include "net/session_state.h"
#include "net/socket_operations.h"
#include "platform/system.h"

namespace tvk {

Session* g_session = nullptr;

namespace {

constexpr int kConnectWaitMs = 5000;
constexpr int kPollStepMs = 20;
const char kQueryName[] = "query";

int SessionPort(int port) { return port < 1 ? kDefaultSessionPort : static_cast<uint16_t>(port); }

bool ValidId(uint16_t id) { return id != 0 && id < kIdNone; }

int PollSteps(Session& session) {
    SessionLock hold(session);
    return session.patienceMs / kPollStepMs + 1;
}

bool StartWorker(Session& session) {
    session.stopRequest = false;
    session.workerRunning = true;
    try {
        session.worker = std::thread([&session] { RunSessionWorker(session); });
    } catch (...) {
        session.workerRunning = false;
        session.stopRequest = true;
        return false;
    }
    return true;
}

// Calls check under the lock every 20 ms until it is true, the worker has stopped or the
// patience is used up.
template <typename Check>
bool WaitUnderLock(Session& session, Check check) {
    for (int step = PollSteps(session); step > 0; --step) {
        {
            SessionLock hold(session);
            if (check()) return true;
            if (!session.workerRunning || session.connection < 0) return false;
        }
        platform::SleepMs(kPollStepMs);
    }
    return false;
}

int RegisterLocal(Session& session, const std::string& name, bool hidden) {
    uint32_t key;
    {
        SessionLock hold(session);
        if (!session.workerRunning) return 0;
        key = session.nextKey++;
        session.locals.push_back({key, kIdRegistered, hidden, PlayerName(name), {}});
    }
    uint16_t id = 0;
    auto find = [&session, key]() -> LocalPlayer* {
        for (LocalPlayer& player : session.locals)
            if (player.key == key) return &player;
        return nullptr;
    };
    bool done = WaitUnderLock(session, [&] {
        LocalPlayer* player = find();
        if (!player || !ValidId(player->id)) return false;
        id = player->id;
        return true;
    });
    if (done) return id;
    // Nobody answered: forget the player, so a later answer cannot be taken for it and the next
    // registration is not paired with a join the host refused.
    SessionLock hold(session);
    std::erase_if(session.locals, [key](const LocalPlayer& player) { return player.key == key; });
    return 0;
}

bool EnsureQueryPlayer(Session& session) {
    {
        SessionLock hold(session);
        if (session.queryId) return true;
    }
    int id = RegisterLocal(session, kQueryName, true);
    SessionLock hold(session);
    if (id) session.queryId = static_cast<uint16_t>(id);
    return session.queryId != 0;
}

// Sends a request to the host and waits for the answer of the same type.
bool Request(Session& session, uint8_t type, const std::string& payload, SessionMessage& answer) {
    if (!EnsureQueryPlayer(session)) return false;
    int16_t source;
    {
        SessionLock hold(session);
        session.answers.clear();
        source = static_cast<int16_t>(session.queryId);
    }
    if (SendOnConnection(session, {type, kTargetHost, source, payload}) <= 0) return false;
    return WaitUnderLock(session, [&] {
        // Answers of other types are late ones to requests that gave up waiting.
        while (!session.answers.empty()) {
            SessionMessage next = std::move(session.answers.front());
            session.answers.pop_front();
            if (next.type != type) continue;
            answer = std::move(next);
            return true;
        }
        return false;
    });
}

int Fail(Session& session) {
    EndSession(session);
    return 0;
}

}  // namespace

Session* CreateIdleSession() {
    Session* session = new Session;
    InitLock(&session->lock);
    return session;
}

void CloseSession(Session* session) {
    if (!session) return;
    EndSession(*session);
    DestroyLock(&session->lock);
    delete session;
}

void SetSessionPatience(Session& session, int milliseconds) {
    SessionLock hold(session);
    session.patienceMs = milliseconds < 0 ? 0 : milliseconds;
}

int SendOnConnection(Session& session, const SessionMessage& message) {
    std::lock_guard sending(session.sendMutex);
    int connection;
    {
        SessionLock hold(session);
        connection = session.connection;
    }
    std::string bytes = EncodeMessage(message);
    return SendDataWithin(connection, bytes.data(), static_cast<int>(bytes.size()), kSessionSendLimitMs);
}

void LoseConnection(Session& session) {
    std::lock_guard sending(session.sendMutex);
    int connection;
    {
        SessionLock hold(session);
        connection = session.connection;
        session.connection = -1;
    }
    if (connection >= 0) CloseEntry(connection);
}

int HostOn(Session& session, int port) {
    EndSession(session);
    port = SessionPort(port);
    StartSockets();
    int listener = ListenTcp(port, kSessionBacklog);
    {
        SessionLock hold(session);
        session.holdsSocketStart = true;
        session.listener = listener;
    }
    if (listener < 0) return Fail(session);
    int connection = ConnectTcp(ResolveHost("", port), kConnectWaitMs);
    if (connection < 0) return Fail(session);
    SocketAddress ownEnd = LocalAddressOf(connection);
    {
        SessionLock hold(session);
        session.connection = connection;
        session.ownEnd = ownEnd;
        session.isHost = true;
    }
    return StartWorker(session) ? 1 : Fail(session);
}

int JoinOn(Session& session, const std::string& host, int port) {
    EndSession(session);
    port = SessionPort(port);
    StartSockets();
    {
        SessionLock hold(session);
        session.holdsSocketStart = true;
    }
    int connection = ConnectTcp(ResolveHost(host, port), kConnectWaitMs);
    if (connection < 0) return Fail(session);
    {
        SessionLock hold(session);
        session.connection = connection;
    }
    SessionMessage answer;
    if (!StartWorker(session) || !Request(session, kPresenceRequest, {}, answer)) return Fail(session);
    return 1;
}

int EndSession(Session& session) {
    session.stopRequest = true;
    if (session.worker.joinable()) session.worker.join();
    session.workerRunning = false;

    // Tell the host which of this program's players are gone; the host's own players go with it.
    std::vector<uint16_t> leaving;
    bool holdsStart;
    {
        SessionLock hold(session);
        if (!session.isHost)
            for (const LocalPlayer& player : session.locals)
                if (ValidId(player.id)) leaving.push_back(player.id);
        holdsStart = session.holdsSocketStart;
    }
    for (uint16_t id : leaving)
        if (SendOnConnection(session, {kPlayerLeaves, kTargetHost, static_cast<int16_t>(id), {}}) <= 0) break;
    LoseConnection(session);

    SessionLock hold(session);
    if (session.listener >= 0) CloseEntry(session.listener);
    for (const MemberConnection& member : session.members) CloseEntry(member.socket);
    session.members.clear();
    session.ownReader = SessionMessageReader{};
    session.listener = -1;
    session.ownEnd = SocketAddress{};
    session.isHost = false;
    session.accepting = true;
    session.holdsSocketStart = false;
    session.queryId = 0;
    session.locals.clear();
    session.roster.Reset();
    session.answers.clear();
    session.playersLeft.clear();
    return holdsStart ? StopSockets() : 0;
}

void SetAcceptingOn(Session& session, bool accepting) {
    SessionLock hold(session);
    session.accepting = accepting;
}

int RegisterPlayer(Session& session, const std::string& name) { return RegisterLocal(session, name, false); }

int UnregisterPlayer(Session& session, int id) {
    uint16_t player = static_cast<uint16_t>(id);
    if (!ValidId(player)) return player - 1;
    int sent = SendOnConnection(session, {kPlayerLeaves, kTargetHost, static_cast<int16_t>(player), {}});
    {
        SessionLock hold(session);
        std::erase_if(session.locals, [player](const LocalPlayer& local) { return local.id == player; });
    }
    return sent > 0 ? id : sent;
}

int SendSessionText(Session& session, int source, int target, const std::string& text) {
    if (text.size() > kMaxSessionPayload) return 0;
    int16_t to = target == 0 ? kTargetEveryone : static_cast<int16_t>(target);
    return SendOnConnection(session, {kDataMessage, to, static_cast<int16_t>(source), text}) > 0 ? 1 : 0;
}

bool TakePlayerMessage(Session& session, int id, std::string& text) {
    SessionLock hold(session);
    for (LocalPlayer& player : session.locals) {
        if (player.id != static_cast<uint16_t>(id) || !ValidId(player.id) || player.messages.empty()) continue;
        text = std::move(player.messages.front().payload);
        session.lastSender = static_cast<uint16_t>(player.messages.front().source);
        player.messages.pop_front();
        return true;
    }
    return false;
}

int LastMessageSender(Session& session) {
    SessionLock hold(session);
    return session.lastSender;
}

int RequestPlayerCount(Session& session) {
    SessionMessage answer;
    return Request(session, kCountRequest, {}, answer) ? ReadPayloadU16(answer.payload) : 0;
}

int RequestPlayerId(Session& session, int n) {
    SessionMessage answer;
    return Request(session, kIdRequest, PayloadU16(static_cast<uint16_t>(n)), answer) ? ReadPayloadU16(answer.payload)
                                                                                        : 0;
}

std::string RequestPlayerName(Session& session, int id) {
    SessionMessage answer;
    if (!Request(session, kNameRequest, PayloadU16(static_cast<uint16_t>(id)), answer)) return "NO_DATA";
    return PlayerName(answer.payload);
}

int TakeLeftPlayer(Session& session) {
    SessionLock hold(session);
    if (!session.isHost || session.playersLeft.empty()) return 0;
    uint16_t id = session.playersLeft.front();
    session.playersLeft.pop_front();
    return id;
}

}  // namespace tvk
