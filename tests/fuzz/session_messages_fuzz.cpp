// Fuzzes what a host does with bytes from its members: the stream is split into messages and
// every message is handled by the roster, as coming from one of four connections, some of which
// may drop out. The roster must keep its ids unique and below the marks, its size bounded and
// each member connection's players bounded.
// Build: clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Iruntime \
//        tests/fuzz/session_messages_fuzz.cpp runtime/net/session_wire.cpp runtime/net/session_roster.cpp \
//        -o session_messages_fuzz
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>

#include "net/session_roster.h"
#include "net/session_wire.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tvk::HostRoster roster;
    roster.SetOwnConnection(0);  // the host's own players are bounded only by the session's size
    tvk::SessionMessageReader readers[4];
    std::vector<tvk::OutgoingMessage> out;
    std::vector<uint16_t> left;
    // Each piece: a control byte (connection, length, drop flag), then that many stream bytes.
    for (size_t at = 0; at < size;) {
        uint8_t control = data[at++];
        int connection = control & 3;
        size_t length = std::min<size_t>((control >> 2) * 8 + 1, size - at);
        tvk::SessionMessageReader& reader = readers[connection];
        reader.Feed(reinterpret_cast<const char*>(data + at), length);
        at += length;
        tvk::SessionMessage message;
        while (reader.Next(message)) {
            if (message.payload.size() > tvk::kMaxSessionPayload) abort();
            tvk::JoinRecord record = tvk::DecodeJoinRecord(message.payload);
            if (record.name.size() >= tvk::kPlayerNameSize) abort();
            roster.Handle(connection, message, control & 1, out, left);
        }
        if (reader.Broken()) {
            roster.DropConnection(connection, left);
            reader = tvk::SessionMessageReader{};
        }
        if (reader.Pending() >= tvk::kSessionHeaderSize + tvk::kMaxSessionPayload) abort();
        std::set<uint16_t> ids;
        for (const tvk::RosterPlayer& player : roster.Players()) {
            if (player.id < tvk::kFirstPlayerId || player.id >= tvk::kIdNone || !ids.insert(player.id).second) abort();
            if (player.name.size() >= tvk::kPlayerNameSize) abort();
        }
        if (roster.Players().size() > tvk::kMaxSessionPlayers) abort();
        for (int member = 1; member < 4; ++member)
            if (roster.PlayersOf(member) > tvk::kMaxPlayersPerConnection) abort();
        for (const tvk::OutgoingMessage& sent : out)
            if (sent.message.payload.size() > tvk::kMaxSessionPayload) abort();
        out.clear();
    }
    return 0;
}
