// TCP over the loopback: listening, connecting, accepting and moving bytes.
#include <atomic>
#include <string>
#include <thread>

#include "net/socket_operations.h"
#include "socket_test_support.h"

namespace {

using SocketConnectionTest = SocketTest;

TEST_F(SocketConnectionTest, BytesIncludingZerosTravelBothWaysAndCloseIsSeen) {
    RtInt client = -1, server = -1;
    ASSERT_NO_FATAL_FAILURE(ConnectPair(client, server));
    RtString data = "left over";
    EXPECT_EQ(ReceiveSocket(server, data, 100), -2) << "nothing was sent yet";
    EXPECT_EQ(Text(data), "");

    RtString message = Bytes("a\0b\xff\0", 5);
    EXPECT_EQ(SendSocket(client, message), 5);
    ASSERT_EQ(ReceiveWhenReady(server, data, 100), 5);
    EXPECT_EQ(Text(data), std::string("a\0b\xff\0", 5));

    EXPECT_EQ(SendSocket(server, "reply"), 5);
    ASSERT_EQ(ReceiveWhenReady(client, data, 3), 3) << "at most the maximum per call";
    EXPECT_EQ(Text(data), "rep");
    ASSERT_EQ(ReceiveWhenReady(client, data, 0x7FFFFFFF), 2) << "a huge maximum is capped, not overflowed";
    EXPECT_EQ(Text(data), "ly");

    EXPECT_EQ(SendSocket(client, ""), 0);
    EXPECT_EQ(CloseSocket(client), 1);
    data = "stale";
    EXPECT_EQ(ReceiveWhenReady(server, data, 100), 0) << "the peer closed";
    EXPECT_EQ(Text(data), "");
    EXPECT_EQ(CloseSocket(server), 1);
}

TEST_F(SocketConnectionTest, ReceiveWithoutRoomIsAnErrorNotAClosedConnection) {
    RtInt client = -1, server = -1;
    ASSERT_NO_FATAL_FAILURE(ConnectPair(client, server));
    RtString data = "x";
    EXPECT_EQ(ReceiveSocket(server, data, 0), -1);
    EXPECT_EQ(tvk::GetSocketErrorCode(), tvk::platform::kSocketInvalidArgument);
    EXPECT_EQ(ReceiveSocket(server, data, -7), -1);
    EXPECT_EQ(Text(data), "");
}

TEST_F(SocketConnectionTest, AcceptWithNobodyWaitingWouldBlockAndOnUdpFailsWithoutError) {
    RtInt port = 0;
    RtInt listener = OpenListenerOnFreePort(port);
    ASSERT_GE(listener, 0);
    RtInt ip = 1234;
    EXPECT_EQ(AcceptSocket(listener, ip), -1);
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10035);
    EXPECT_EQ(ip, 1234) << "the address is written only for a connection";

    RtInt udp = OpenUdpSocket(0);
    ASSERT_GE(udp, 0);
    tvk::SetSocketError(77);
    EXPECT_EQ(AcceptSocket(udp, ip), -1);
    EXPECT_EQ(tvk::GetSocketErrorCode(), 0);
}

TEST_F(SocketConnectionTest, ASecondListenerOnABusyPortIsRefused) {
    RtInt port = 0;
    ASSERT_GE(OpenListenerOnFreePort(port), 0);
    EXPECT_EQ(OpenListener(port), -1);
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10048);
}

TEST_F(SocketConnectionTest, ConnectingToAClosedPortIsRefusedWithTheSystemsText) {
    RtInt port = 0;
    RtInt listener = OpenListenerOnFreePort(port);
    ASSERT_GE(listener, 0);
    CloseSocket(listener);
    testing::internal::CaptureStdout();
    RtInt socket = ConnectSocket("127.0.0.1", port, 1000);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(socket, -1);
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10061);
    std::string text = Text(GetSocketError());
    EXPECT_EQ(text.rfind("10061 ", 0), 0u) << text;
    EXPECT_NE(text.find("refused"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(OpenUdpSocket(0), 0) << "the failed connect gave its entry back";
}

TEST(ConnectTimeout, OutOfRangeWaitsBecomeThirtySeconds) {
    EXPECT_EQ(tvk::ConnectTimeoutMs(0), 30000);
    EXPECT_EQ(tvk::ConnectTimeoutMs(-5), 30000);
    EXPECT_EQ(tvk::ConnectTimeoutMs(90000), 30000);
    EXPECT_EQ(tvk::ConnectTimeoutMs(30000), 30000);
    EXPECT_EQ(tvk::ConnectTimeoutMs(1), 1);
    EXPECT_EQ(tvk::ConnectTimeoutMs(29999), 29999);
}

// A listener whose queue of unaccepted connections is full ignores new ones, so the connect
// can only end by its time-out.
TEST_F(SocketConnectionTest, ConnectGivesUpAfterItsTimeOut) {
    RtInt port = 0;
    ASSERT_GE(OpenListenerOnFreePort(port), 0);
    RtInt socket = 0;
    std::string output;
    for (int attempt = 0; attempt < 40 && socket >= 0; ++attempt) {
        testing::internal::CaptureStdout();
        socket = ConnectSocket("127.0.0.1", port, 150);
        output = testing::internal::GetCapturedStdout();
    }
    ASSERT_EQ(socket, -1) << "the listener's queue never filled";
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10036);
    EXPECT_EQ(output, "\nConnect Timeout (150 ms).");
}

TEST_F(SocketConnectionTest, SendingToAVanishedPeerFailsInsteadOfEndingTheProgram) {
    RtInt client = -1, server = -1;
    ASSERT_NO_FATAL_FAILURE(ConnectPair(client, server));
    CloseSocket(server);
    RtString chunk;
    chunk.Assign(std::string(4096, 'x').c_str(), 4096);
    RtInt result = 0;
    EXPECT_TRUE(Eventually([&] { return (result = SendSocket(client, chunk)) == -1; }));
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10054);
}

TEST_F(SocketConnectionTest, WaitForAllCollectsPiecesSentLater) {
    RtInt client = -1, server = -1;
    ASSERT_NO_FATAL_FAILURE(ConnectPair(client, server));
    char buffer[6] = {};
    EXPECT_EQ(tvk::ReceiveData(server, buffer, 6, true), -2) << "nothing at all arrived yet";

    ASSERT_EQ(SendSocket(client, "abc"), 3);
    std::atomic<int> result{99};
    std::thread reader([&] { result = tvk::ReceiveData(server, buffer, 6, true); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(SendSocket(client, "def"), 3);
    reader.join();
    EXPECT_EQ(result, 6);
    EXPECT_EQ(std::string(buffer, 6), "abcdef");
}

TEST_F(SocketConnectionTest, BlockingModeCanBeSwitchedForAnEntryInUse) {
    RtInt client = -1, server = -1;
    ASSERT_NO_FATAL_FAILURE(ConnectPair(client, server));
    EXPECT_EQ(tvk::SetSocketBlocking(server, true), 0);
    ASSERT_EQ(SendSocket(client, "z"), 1);
    RtString data;
    EXPECT_EQ(ReceiveSocket(server, data, 10), 1) << "a blocking read waits for the byte";
    EXPECT_EQ(tvk::SetSocketBlocking(server, false), 0);
    EXPECT_EQ(ReceiveSocket(server, data, 10), -2);
    EXPECT_EQ(tvk::SetSocketBlocking(1023, true), 10038);
}

}  // namespace
