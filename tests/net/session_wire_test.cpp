// Message framing, join records and the host's bookkeeping, driven without sockets.
#include <gtest/gtest.h>

#include <set>

#include "net/session_outbox.h"
#include "net/session_roster.h"
#include "net/session_wire.h"

namespace {

using tvk::SessionMessage;

std::string Header(uint8_t type, uint16_t length, int16_t target, int16_t source) {
    SessionMessage message{type, target, source, std::string(length, 'x')};
    return tvk::EncodeMessage(message).substr(0, tvk::kSessionHeaderSize);
}

TEST(SessionWire, MessagesSurviveAnySplitOfTheStream) {
    std::string stream = tvk::EncodeMessage({3, -1, 101, std::string("hi\0there", 8)}) +
                         tvk::EncodeMessage({104, 0, 0x7FFF, ""}) +
                         tvk::EncodeMessage({3, 102, -2, std::string(1024, 'z')});
    EXPECT_EQ(stream.substr(0, 7), std::string("\x03\x08\x00\xFF\xFF\x65\x00", 7));
    for (size_t step : {size_t{1}, size_t{7}, size_t{1000}, stream.size()}) {
        tvk::SessionMessageReader reader;
        std::vector<SessionMessage> got;
        for (size_t at = 0; at < stream.size(); at += step) {
            reader.Feed(stream.data() + at, std::min(step, stream.size() - at));
            SessionMessage message;
            while (reader.Next(message)) got.push_back(message);
        }
        ASSERT_EQ(got.size(), 3u) << step;
        EXPECT_EQ(got[0].payload, std::string("hi\0there", 8));
        EXPECT_EQ(got[0].target, -1);
        EXPECT_EQ(got[0].source, 101);
        EXPECT_EQ(got[1].type, 104);
        EXPECT_EQ(got[1].source, 0x7FFF);
        EXPECT_EQ(got[2].payload.size(), 1024u);
        EXPECT_EQ(got[2].source, -2);
        EXPECT_EQ(reader.Pending(), 0u);
    }
}

TEST(SessionWire, AnOverlongPayloadBreaksTheStreamForGood) {
    tvk::SessionMessageReader reader;
    std::string bytes = Header(3, 100, 1, 1);
    bytes[1] = 1;  // 1025 bytes announced
    bytes[2] = 4;
    reader.Feed(bytes.data(), bytes.size());
    std::string valid = tvk::EncodeMessage({3, 1, 1, "ok"});
    reader.Feed(valid.data(), valid.size());
    SessionMessage message;
    EXPECT_FALSE(reader.Next(message));
    EXPECT_TRUE(reader.Broken());
    EXPECT_EQ(reader.Pending(), 0u);
}

TEST(SessionWire, LongPayloadsAreCutWhenSent) {
    EXPECT_EQ(tvk::EncodeMessage({3, 1, 1, std::string(5000, 'a')}).size(), 7u + 1024u);
}

TEST(SessionWire, JoinRecordsKeepTheirFieldsAndBoundTheName) {
    std::string payload = tvk::EncodeJoinRecord({0xFFFE, true, "alice"});
    ASSERT_EQ(payload.size(), 148u);
    EXPECT_EQ(payload.substr(4, 3), "\xFE\xFF\x01");
    EXPECT_EQ(payload.substr(8, 6), std::string("alice\0", 6));
    tvk::JoinRecord back = tvk::DecodeJoinRecord(payload);
    EXPECT_EQ(back.id, 0xFFFE);
    EXPECT_TRUE(back.hidden);
    EXPECT_EQ(back.name, "alice");

    EXPECT_EQ(tvk::DecodeJoinRecord("abc").name, "");  // short records read as zeros
    std::string noZero = std::string(8, '\0') + std::string(140, 'n');
    EXPECT_EQ(tvk::DecodeJoinRecord(noZero).name, std::string(127, 'n'));
    EXPECT_EQ(tvk::PlayerName(std::string(300, 'q')).size(), 127u);
    EXPECT_EQ(tvk::PlayerName(std::string("a\0b", 3)), "a");
    EXPECT_EQ(tvk::ReadPayloadU16(""), 0);
    EXPECT_EQ(tvk::ReadPayloadU16("\x05"), 5);
}

TEST(SessionOutbox, KeepsWhatTheSocketDoesNotTakeInOrder) {
    tvk::SessionOutbox outbox;
    std::string wire;
    int room = 5;
    auto send = [&](const char* bytes, int length) {
        int taken = std::min(room, length);
        wire.append(bytes, static_cast<size_t>(taken));
        room -= taken;
        return taken;
    };
    outbox.Append("hello ");
    outbox.Append("world");
    EXPECT_EQ(outbox.Flush(send), 5);
    EXPECT_EQ(outbox.Size(), 6u);
    EXPECT_EQ(outbox.Flush(send), 0) << "a full socket takes nothing and fails nothing";
    outbox.Append("!");
    room = 3;
    EXPECT_EQ(outbox.Flush(send), 3);
    room = 100;
    EXPECT_EQ(outbox.Flush(send), 4);
    EXPECT_TRUE(outbox.Empty());
    EXPECT_EQ(wire, "hello world!");
    outbox.Append("x");
    EXPECT_EQ(outbox.Flush([](const char*, int) { return -1; }), -1);
    EXPECT_EQ(outbox.Size(), 1u);
}

class RosterTest : public ::testing::Test {
protected:
    uint16_t Join(int connection, const std::string& name, bool hidden = false) {
        out.clear();
        roster.Handle(connection, {tvk::kJoinRequest, 0, 0, tvk::EncodeJoinRecord({0, hidden, name})}, true, out, left);
        if (out.size() != 1 || out[0].message.type != tvk::kJoinAccepted) return 0;
        return static_cast<uint16_t>(out[0].message.target);
    }
    std::vector<tvk::OutgoingMessage> Send(int connection, SessionMessage message) {
        out.clear();
        roster.Handle(connection, message, true, out, left);
        return out;
    }

    tvk::HostRoster roster;
    std::vector<tvk::OutgoingMessage> out;
    std::vector<uint16_t> left;
};

TEST_F(RosterTest, BroadcastsSkipTheSenderAndHiddenPlayers) {
    EXPECT_EQ(Join(5, "a"), 101);
    EXPECT_EQ(Join(5, "query", true), 102);
    EXPECT_EQ(Join(6, "b"), 103);
    auto sent = Send(5, {3, -1, 101, "hi"});
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].connection, 6);
    EXPECT_EQ(sent[0].message.target, 103);
    EXPECT_EQ(sent[0].message.source, 101);
    EXPECT_EQ(Send(6, {3, 101, 103, "x"}).size(), 1u);
    EXPECT_TRUE(Send(6, {3, 999, 103, "x"}).empty());
}

TEST_F(RosterTest, AMemberSpeaksAndLeavesOnlyForItsOwnPlayers) {
    Join(5, "a");
    Join(6, "b");
    EXPECT_TRUE(Send(6, {3, -1, 101, "spoofed"}).empty());
    Send(6, {4, 0, 101, ""});
    EXPECT_TRUE(left.empty());
    EXPECT_EQ(roster.Players().size(), 2u);
    Send(5, {4, 0, 101, ""});
    EXPECT_EQ(left, std::vector<uint16_t>{101});
}

TEST_F(RosterTest, AnswersCountIdsAndNames) {
    Join(5, "a");
    Join(5, "query", true);
    Join(6, "b");
    EXPECT_EQ(tvk::ReadPayloadU16(Send(6, {101, 0, 102, ""})[0].message.payload), 2);
    EXPECT_EQ(tvk::ReadPayloadU16(Send(6, {102, 0, 102, tvk::PayloadU16(1)})[0].message.payload), 103);
    EXPECT_EQ(tvk::ReadPayloadU16(Send(6, {102, 0, 102, tvk::PayloadU16(2)})[0].message.payload), 0);
    auto name = Send(6, {103, 0, 102, tvk::PayloadU16(103)});
    EXPECT_EQ(name[0].message.payload, "b");
    EXPECT_EQ(name[0].connection, 6);
    EXPECT_EQ(name[0].message.target, 102);
    EXPECT_EQ(Send(6, {103, 0, 102, tvk::PayloadU16(7)})[0].message.payload, "NO_DATA");
    EXPECT_EQ(tvk::ReadPayloadU16(Send(6, {104, 0, 102, ""})[0].message.payload), 1);
    EXPECT_TRUE(Send(6, {2, 0, 102, ""}).empty());
}

TEST_F(RosterTest, AClosedConnectionTakesAllItsPlayers) {
    Join(5, "a");
    Join(6, "b");
    Join(5, "c");
    roster.DropConnection(5, left);
    EXPECT_EQ(left, (std::vector<uint16_t>{101, 103}));
    ASSERT_EQ(roster.Players().size(), 1u);
    EXPECT_EQ(roster.Players()[0].name, "b");
}

TEST_F(RosterTest, RefusedJoinsAnswerNothingAndOneMemberCannotFillTheSession) {
    roster.Handle(5, {tvk::kJoinRequest, 0, 0, ""}, false, out, left);
    EXPECT_TRUE(out.empty());
    for (size_t i = 0; i < tvk::kMaxPlayersPerConnection; ++i) ASSERT_NE(Join(5, "p"), 0) << i;
    EXPECT_EQ(Join(5, "one too many"), 0);
    EXPECT_EQ(roster.PlayersOf(5), tvk::kMaxPlayersPerConnection);
    // A player leaving makes room on its connection again.
    Send(5, {4, 0, 101, ""});
    EXPECT_NE(Join(5, "again"), 0);
    EXPECT_NE(Join(6, "another member"), 0);

    // The host's own players are bounded only by the session's size.
    roster.SetOwnConnection(9);
    while (roster.Players().size() < tvk::kMaxSessionPlayers) ASSERT_NE(Join(9, "own"), 0);
    EXPECT_EQ(Join(9, "one too many"), 0);
    EXPECT_EQ(Join(7, "newcomer"), 0);
    roster.DropConnection(9, left);
    EXPECT_EQ(roster.PlayersOf(9), 0u);
    EXPECT_NE(Join(7, "newcomer"), 0);
}

TEST_F(RosterTest, IdsOfPlayersWhoLeftComeBackOnlyOnceTheRangeIsUsedUp) {
    uint16_t stays = Join(5, "stays");
    ASSERT_EQ(stays, 101);
    uint16_t last = stays;
    std::vector<bool> seen(0x10000, false);
    for (int round = 0; round < 0xFEFF - 101; ++round) {
        uint16_t id = Join(6, "churn");
        ASSERT_EQ(id, last + 1) << "ids rise one by one until the range is used up";
        ASSERT_FALSE(seen[id]);
        seen[id] = true;
        Send(6, {4, 0, static_cast<int16_t>(id), ""});
        last = id;
    }
    EXPECT_EQ(last, 0xFEFF);
    // Then they start over, skipping the one still in use and never reaching the marks.
    EXPECT_EQ(Join(6, "first reuse"), 102);
    EXPECT_EQ(Join(6, "second reuse"), 103);
    Send(6, {4, 0, 102, ""});
    EXPECT_EQ(Join(6, "next"), 104);
    std::set<uint16_t> ids;
    for (const tvk::RosterPlayer& player : roster.Players()) EXPECT_TRUE(ids.insert(player.id).second);
    EXPECT_EQ(ids, (std::set<uint16_t>{101, 103, 104}));
    roster.Reset();
    EXPECT_EQ(Join(6, "fresh"), 101);
}

}  // namespace
