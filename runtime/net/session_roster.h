// The host's side of a session: every player of the session, and what the host does with each
// message a member connection delivers. Pure bookkeeping: sending is the caller's job, so this
// can be driven by any sequence of messages, hostile ones included.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "net/session_wire.h"

namespace tvk {

// More players than this are refused.
inline constexpr size_t kMaxSessionPlayers = 1024;
// Players one member connection may have at a time, its hidden query player included; the host's
// own connection has no such bound.
inline constexpr size_t kMaxPlayersPerConnection = 64;

struct RosterPlayer {
    int connection = -1;  // socket number of the member connection the player belongs to
    uint16_t id = 0;
    bool hidden = false;
    std::string name;
};

struct OutgoingMessage {
    int connection = -1;
    SessionMessage message;
};

class HostRoster {
public:
    void Reset();
    // The host's connection to itself (-1: none yet).
    void SetOwnConnection(int connection) { ownConnection_ = connection; }
    size_t PlayersOf(int connection) const;
    // A message that arrived on a member connection. Relays and answers are appended to out; the
    // ids of players who left, to left. A member may only speak and leave for its own players.
    void Handle(int connection, const SessionMessage& message, bool accepting, std::vector<OutgoingMessage>& out,
                std::vector<uint16_t>& left);
    // The connection is gone: every player of it leaves.
    void DropConnection(int connection, std::vector<uint16_t>& left);
    const std::vector<RosterPlayer>& Players() const { return players_; }

private:
    const RosterPlayer* Find(uint16_t id) const;
    bool Owns(int connection, uint16_t id) const;
    void Relay(const SessionMessage& message, std::vector<OutgoingMessage>& out) const;
    void Join(int connection, const SessionMessage& message, std::vector<OutgoingMessage>& out);
    bool TakeId(uint16_t& id);
    void Leave(uint16_t id);
    std::string Answer(const SessionMessage& request) const;

    std::vector<RosterPlayer> players_;
    std::unordered_map<int, size_t> perConnection_;
    std::vector<bool> idInUse_ = std::vector<bool>(kIdNone, false);
    uint16_t nextId_ = kFirstPlayerId;
    int ownConnection_ = -1;
};

}  // namespace tvk
