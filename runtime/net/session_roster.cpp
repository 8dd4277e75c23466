#include "net/session_roster.h"

#include <algorithm>

namespace tvk {

namespace {

const char kNoData[] = "NO_DATA";

}  // namespace

void HostRoster::Reset() {
    players_.clear();
    perConnection_.clear();
    idInUse_.assign(kIdNone, false);
    nextId_ = kFirstPlayerId;
    ownConnection_ = -1;
}

size_t HostRoster::PlayersOf(int connection) const {
    auto found = perConnection_.find(connection);
    return found == perConnection_.end() ? 0 : found->second;
}

const RosterPlayer* HostRoster::Find(uint16_t id) const {
    for (const RosterPlayer& player : players_)
        if (player.id == id) return &player;
    return nullptr;
}

bool HostRoster::Owns(int connection, uint16_t id) const {
    const RosterPlayer* player = Find(id);
    return player && player->connection == connection;
}

void HostRoster::Handle(int connection, const SessionMessage& message, bool accepting,
                        std::vector<OutgoingMessage>& out, std::vector<uint16_t>& left) {
    uint16_t source = static_cast<uint16_t>(message.source);
    if (message.type == kDataMessage) {
        if (Owns(connection, source)) Relay(message, out);
        return;
    }
    if (message.target != kTargetHost) return;
    switch (message.type) {
    case kJoinRequest:
        if (accepting) Join(connection, message, out);
        return;
    case kPlayerLeaves:
        if (!Owns(connection, source)) return;
        Leave(source);
        left.push_back(source);
        return;
    case kCountRequest:
    case kIdRequest:
    case kNameRequest:
    case kPresenceRequest:
        out.push_back({connection, {message.type, message.source, kTargetHost, Answer(message)}});
        return;
    default:
        return;
    }
}

void HostRoster::Relay(const SessionMessage& message, std::vector<OutgoingMessage>& out) const {
    if (message.target == kTargetEveryone) {
        for (const RosterPlayer& player : players_) {
            if (player.hidden || player.id == static_cast<uint16_t>(message.source)) continue;
            out.push_back({player.connection,
                           {kDataMessage, static_cast<int16_t>(player.id), message.source, message.payload}});
        }
        return;
    }
    if (const RosterPlayer* player = Find(static_cast<uint16_t>(message.target)))
        out.push_back({player->connection, message});
}

void HostRoster::Join(int connection, const SessionMessage& message, std::vector<OutgoingMessage>& out) {
    if (players_.size() >= kMaxSessionPlayers) return;
    if (connection != ownConnection_ && PlayersOf(connection) >= kMaxPlayersPerConnection) return;
    uint16_t id;
    if (!TakeId(id)) return;
    JoinRecord record = DecodeJoinRecord(message.payload);
    players_.push_back({connection, id, record.hidden, record.name});
    ++perConnection_[connection];
    out.push_back({connection, {kJoinAccepted, static_cast<int16_t>(id), kTargetHost, {}}});
}

// Ids go out in rising order from 101; once 0xFEFF is reached they start over at 101 and skip
// those still in use, so an id that came free is handed out again as late as possible.
bool HostRoster::TakeId(uint16_t& id) {
    for (size_t tried = 0; tried < kIdNone - kFirstPlayerId; ++tried) {
        uint16_t candidate = nextId_;
        nextId_ = candidate + 1 >= kIdNone ? kFirstPlayerId : static_cast<uint16_t>(candidate + 1);
        if (idInUse_[candidate]) continue;
        idInUse_[candidate] = true;
        id = candidate;
        return true;
    }
    return false;
}

void HostRoster::Leave(uint16_t id) {
    auto player = std::find_if(players_.begin(), players_.end(), [id](const RosterPlayer& p) { return p.id == id; });
    if (player == players_.end()) return;
    auto count = perConnection_.find(player->connection);
    if (count != perConnection_.end() && --count->second == 0) perConnection_.erase(count);
    idInUse_[id] = false;
    players_.erase(player);
}

std::string HostRoster::Answer(const SessionMessage& request) const {
    switch (request.type) {
    case kCountRequest: {
        // Hidden query players are not counted, so the count matches what the id request lists.
        auto count = std::count_if(players_.begin(), players_.end(), [](const RosterPlayer& p) { return !p.hidden; });
        return PayloadU16(static_cast<uint16_t>(count));
    }
    case kIdRequest: {
        uint16_t wanted = ReadPayloadU16(request.payload);
        for (const RosterPlayer& player : players_) {
            if (player.hidden) continue;
            if (wanted-- == 0) return PayloadU16(player.id);
        }
        return PayloadU16(0);
    }
    case kNameRequest: {
        const RosterPlayer* player = Find(ReadPayloadU16(request.payload));
        return player ? player->name : kNoData;
    }
    default:
        return PayloadU16(1);
    }
}

void HostRoster::DropConnection(int connection, std::vector<uint16_t>& left) {
    for (const RosterPlayer& player : players_) {
        if (player.connection != connection) continue;
        left.push_back(player.id);
        idInUse_[player.id] = false;
    }
    std::erase_if(players_, [connection](const RosterPlayer& player) { return player.connection == connection; });
    perConnection_.erase(connection);
    if (connection == ownConnection_) ownConnection_ = -1;
}

}  // namespace tvk
