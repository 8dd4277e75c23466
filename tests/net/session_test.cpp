// Sessions over the loopback: a host and a member in this process, and peers that break the rules.
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "net/session.h"
#include "net/session_wire.h"
#include "net/socket_table.h"
#include "socket_test_support.h"

namespace {

using tvk::Session;

RtInt FreePort() {
    RtInt port = 0;
    RtInt probe = OpenListenerOnFreePort(port);
    CloseSocket(probe);
    return port;
}

// Waits for the next message of a local player.
std::string NextMessage(Session& session, int player) {
    std::string text = "<nothing>";
    Eventually([&] { return tvk::TakePlayerMessage(session, player, text); });
    return text;
}

int NextLeaver(Session& session) {
    int id = 0;
    Eventually([&] { return (id = tvk::TakeLeftPlayer(session)) != 0; });
    return id;
}

class SessionTest : public SocketTest {
protected:
    void SetUp() override {
        SocketTest::SetUp();
        host = tvk::CreateIdleSession();
        member = tvk::CreateIdleSession();
        port = FreePort();
        ASSERT_EQ(tvk::HostOn(*host, port), 1);
    }
    void TearDown() override {
        tvk::CloseSession(member);
        tvk::CloseSession(host);
        SocketTest::TearDown();
    }
    // A raw connection to the host that speaks the wire format by hand.
    RtInt ConnectRaw() { return ConnectSocket("127.0.0.1", port, 1000); }
    static void SendRaw(RtInt socket, const std::string& bytes) {
        SendSocket(socket, Bytes(bytes.data(), static_cast<uint32_t>(bytes.size())));
    }
    // The next whole message on a raw connection, or type 0 when none came.
    static tvk::SessionMessage ReceiveRaw(RtInt socket, tvk::SessionMessageReader& reader) {
        tvk::SessionMessage message;
        Eventually([&] {
            if (reader.Next(message)) return true;
            RtString data;
            RtInt count = ReceiveSocket(socket, data, 4096);
            if (count > 0) reader.Feed(data.c_str(), data.Length());
            return reader.Next(message);
        });
        return message;
    }
    uint16_t JoinRaw(RtInt socket, tvk::SessionMessageReader& reader, const std::string& name) {
        SendRaw(socket, tvk::EncodeMessage({tvk::kJoinRequest, 0, 0, tvk::EncodeJoinRecord({0, false, name})}));
        tvk::SessionMessage answer = ReceiveRaw(socket, reader);
        return answer.type == tvk::kJoinAccepted ? static_cast<uint16_t>(answer.target) : 0;
    }

    Session* host = nullptr;
    Session* member = nullptr;
    RtInt port = 0;
};

TEST_F(SessionTest, PlayersGetIdsFromTheHostAndExchangeMessages) {
    EXPECT_EQ(tvk::RegisterPlayer(*host, "alice"), 101);
    EXPECT_EQ(tvk::RegisterPlayer(*host, "bob"), 102);
    ASSERT_EQ(tvk::JoinOn(*member, "127.0.0.1", port), 1);  // its hidden query player takes 103
    EXPECT_EQ(tvk::RegisterPlayer(*member, "carol"), 104);

    EXPECT_EQ(tvk::SendSessionText(*host, 101, 0, "hi"), 1);
    EXPECT_EQ(NextMessage(*member, 104), "hi");
    EXPECT_EQ(tvk::LastMessageSender(*member), 101);
    EXPECT_EQ(NextMessage(*host, 102), "hi");
    std::string text;
    EXPECT_FALSE(tvk::TakePlayerMessage(*host, 101, text)) << "the sender got its own broadcast";

    std::string binary("a\0b", 3);
    EXPECT_EQ(tvk::SendSessionText(*member, 104, 101, binary), 1);
    EXPECT_EQ(NextMessage(*host, 101), binary);
    EXPECT_EQ(tvk::LastMessageSender(*host), 104);
    EXPECT_EQ(tvk::SendSessionText(*member, 104, 101, std::string(1025, 'x')), 0);

    EXPECT_EQ(tvk::RequestPlayerCount(*member), 3);
    EXPECT_EQ(tvk::RequestPlayerId(*member, 0), 101);
    EXPECT_EQ(tvk::RequestPlayerId(*member, 2), 104);
    EXPECT_EQ(tvk::RequestPlayerId(*member, 3), 0);
    EXPECT_EQ(tvk::RequestPlayerName(*member, 104), "carol");
    EXPECT_EQ(tvk::RequestPlayerName(*host, 4242), "NO_DATA");
    EXPECT_EQ(tvk::RequestPlayerCount(*host), 3);
}

TEST_F(SessionTest, LeavingPlayersAndClosedProgramsAreReportedOnce) {
    tvk::RegisterPlayer(*host, "alice");
    ASSERT_EQ(tvk::JoinOn(*member, "127.0.0.1", port), 1);
    int carol = tvk::RegisterPlayer(*member, "carol");
    int dave = tvk::RegisterPlayer(*member, "dave");
    ASSERT_NE(carol, 0);
    ASSERT_NE(dave, 0);
    EXPECT_EQ(tvk::UnregisterPlayer(*member, 0), -1);
    EXPECT_EQ(tvk::UnregisterPlayer(*member, carol), carol);
    EXPECT_EQ(NextLeaver(*host), carol);
    EXPECT_EQ(tvk::TakeLeftPlayer(*member), 0) << "only the host keeps leavers";

    // A program that goes away takes all of its players, the hidden one too.
    EXPECT_EQ(tvk::EndSession(*member), 2);  // the host and the fixture keep theirs
    std::vector<int> gone = {NextLeaver(*host), NextLeaver(*host)};
    std::sort(gone.begin(), gone.end());
    EXPECT_EQ(gone, (std::vector<int>{102, dave}));
    EXPECT_EQ(tvk::TakeLeftPlayer(*host), 0);
    EXPECT_EQ(tvk::RequestPlayerCount(*host), 1);
}

TEST_F(SessionTest, ARefusingHostLetsRequestsTimeOutWithoutMixingUpLaterAnswers) {
    ASSERT_EQ(tvk::JoinOn(*member, "127.0.0.1", port), 1);
    tvk::SetSessionPatience(*member, 200);
    tvk::SetAcceptingOn(*host, false);
    EXPECT_EQ(tvk::RegisterPlayer(*member, "late"), 0);
    Session* refused = tvk::CreateIdleSession();
    tvk::SetSessionPatience(*refused, 200);
    EXPECT_EQ(tvk::JoinOn(*refused, "127.0.0.1", port), 0);
    tvk::CloseSession(refused);

    tvk::SetAcceptingOn(*host, true);
    int id = tvk::RegisterPlayer(*member, "welcome");
    EXPECT_NE(id, 0);
    EXPECT_EQ(tvk::RequestPlayerName(*member, id), "welcome");
}

TEST_F(SessionTest, RulesBreakingPeersAreContained) {
    int alice = tvk::RegisterPlayer(*host, "alice");
    tvk::SessionMessageReader reader;
    RtInt raw = ConnectRaw();
    ASSERT_GE(raw, 0);
    uint16_t mine = JoinRaw(raw, reader, std::string(300, 'm'));
    ASSERT_NE(mine, 0);
    EXPECT_EQ(tvk::RequestPlayerName(*host, mine), std::string(127, 'm'));

    // Speaking or leaving for someone else's player does nothing.
    SendRaw(raw, tvk::EncodeMessage({tvk::kDataMessage, -1, static_cast<int16_t>(alice), "forged"}));
    SendRaw(raw, tvk::EncodeMessage({tvk::kPlayerLeaves, 0, static_cast<int16_t>(alice), ""}));
    SendRaw(raw, tvk::EncodeMessage({tvk::kDataMessage, -1, static_cast<int16_t>(mine), "genuine"}));
    EXPECT_EQ(NextMessage(*host, alice), "genuine");
    EXPECT_EQ(tvk::LastMessageSender(*host), mine);
    EXPECT_EQ(tvk::RequestPlayerName(*host, alice), "alice");

    // A peer that stops halfway through a header holds nobody up.
    RtInt stalled = ConnectRaw();
    ASSERT_GE(stalled, 0);
    SendRaw(stalled, std::string("\x03\x10", 2));
    EXPECT_EQ(tvk::RequestPlayerCount(*host), 2);

    // An impossible length ends that connection and its players.
    SendRaw(raw, std::string("\x03\xFF\xFF\x00\x00\x00\x00", 7));
    EXPECT_EQ(NextLeaver(*host), mine);
    RtString data;
    EXPECT_EQ(ReceiveWhenReady(raw, data, 16), 0);
    CloseSocket(raw);
    CloseSocket(stalled);
    EXPECT_EQ(tvk::RequestPlayerName(*host, alice), "alice");
}

TEST_F(SessionTest, AMemberLosingItsHostStopsWaitingAtOnce) {
    ASSERT_EQ(tvk::JoinOn(*member, "127.0.0.1", port), 1);
    int carol = tvk::RegisterPlayer(*member, "carol");
    ASSERT_NE(carol, 0);
    EXPECT_EQ(tvk::EndSession(*host), 2);
    EXPECT_TRUE(Eventually([&] { return tvk::SendSessionText(*member, carol, 0, "anyone?") == 0; }));
    EXPECT_EQ(tvk::RequestPlayerCount(*member), 0);
    EXPECT_EQ(tvk::RequestPlayerName(*member, carol), "NO_DATA");
}

TEST_F(SessionTest, ANewHostReplacesTheRunningSessionAndBalancesTheLayer) {
    tvk::RegisterPlayer(*host, "alice");
    RtInt second = FreePort();
    ASSERT_EQ(tvk::HostOn(*host, second), 1);
    EXPECT_EQ(tvk::RegisterPlayer(*host, "again"), 101);
    EXPECT_EQ(tvk::SocketStartCount(), 2);
    EXPECT_EQ(tvk::EndSession(*host), 1);
    EXPECT_EQ(tvk::EndSession(*host), 0) << "a closed session holds no start";
    EXPECT_EQ(tvk::SocketStartCount(), 1);
    EXPECT_EQ(tvk::JoinOn(*member, "127.0.0.1", second), 0);
    EXPECT_EQ(tvk::SocketStartCount(), 1);
}

}  // namespace

namespace {

// The commands work on the process's session and carry texts as raw bytes.
TEST_F(SessionTest, CommandsUseTheProcessSession) {
    tvk::Session* saved = tvk::g_session;
    tvk::g_session = member;
    EXPECT_EQ(JoinSession("127.0.0.1", port), 1);
    RtInt dora = AddPlayer(Bytes("dora\0x", 6));
    RtInt emil = AddPlayer("emil");
    ASSERT_NE(dora, 0);
    EXPECT_EQ(Text(GetPlayerName(dora)), "dora");
    EXPECT_EQ(CountPlayers(), 2);
    EXPECT_EQ(GetPlayerId(1), emil);
    EXPECT_EQ(SendMessage(dora, emil, Bytes("x\0y", 3)), 1);
    RtString text;
    Eventually([&] { return (text = GetMessage(emil)).Length() != 0; });
    EXPECT_EQ(Text(text), std::string("x\0y", 3));
    EXPECT_EQ(GetMessageSender(), dora);
    EXPECT_EQ(Text(GetMessage(emil)), "");
    EXPECT_EQ(RemovePlayer(0x1FF00), 0xFEFF);
    EXPECT_EQ(GetLeftPlayer(), 0);
    EXPECT_EQ(CloseSession(), 2);
    tvk::g_session = nullptr;
    EXPECT_EQ(HostSession(port), 0);
    EXPECT_EQ(Text(GetPlayerName(1)), "NO_DATA");
    tvk::g_session = saved;
}

}  // namespace

namespace {

// A host that hands out impossible ids, answers with the wrong type first and finally sends a
// header no host may send.
class RogueHostTest : public SocketTest {};

TEST_F(RogueHostTest, AMemberIgnoresBadAnswersAndDropsABrokenStream) {
    RtInt port = 0;
    RtInt listener = OpenListenerOnFreePort(port);
    ASSERT_GE(listener, 0);
    std::atomic<bool> done{false};
    std::thread rogue([&] {
        RtInt ip = 0, peer = -1;
        if (!Eventually([&] { return (peer = AcceptSocket(listener, ip)) >= 0; })) return;
        tvk::SessionMessageReader reader;
        auto send = [peer](tvk::SessionMessage message) {
            std::string bytes = tvk::EncodeMessage(message);
            SendSocket(peer, Bytes(bytes.data(), static_cast<uint32_t>(bytes.size())));
        };
        Eventually([&] {
            RtString data;
            if (ReceiveSocket(peer, data, 4096) > 0) reader.Feed(data.c_str(), data.Length());
            tvk::SessionMessage message;
            while (reader.Next(message)) {
                if (message.type == tvk::kJoinRequest) {
                    send({tvk::kJoinAccepted, static_cast<int16_t>(0xFFFE), 0, ""});
                    send({tvk::kJoinAccepted, 0, 0, ""});
                    send({tvk::kJoinAccepted, 150, 0, ""});
                } else if (message.type == tvk::kPresenceRequest) {
                    EXPECT_EQ(message.source, 150);
                    send({tvk::kCountRequest, 150, 0, tvk::PayloadU16(77)});
                    send({tvk::kPresenceRequest, 150, 0, tvk::PayloadU16(1)});
                } else if (message.type == tvk::kCountRequest) {
                    send({tvk::kCountRequest, 150, 0, tvk::PayloadU16(5)});
                    SendSocket(peer, Bytes("\x03\x01\x08\x00\x00\x00\x00", 7));
                }
            }
            return done.load();
        });
        CloseSocket(peer);
    });
    tvk::Session* member = tvk::CreateIdleSession();
    tvk::SetSessionPatience(*member, 2000);
    EXPECT_EQ(tvk::JoinOn(*member, "127.0.0.1", port), 1);
    EXPECT_EQ(tvk::RequestPlayerCount(*member), 5);
    // The stream is broken now: no more waiting for answers that cannot come.
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(tvk::RequestPlayerCount(*member), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    done = true;
    rogue.join();
    tvk::CloseSession(member);
    CloseSocket(listener);
}

}  // namespace
