// UDP over the loopback.
#include "net/socket_operations.h"
#include "socket_test_support.h"

namespace {

using SocketUdpTest = SocketTest;

TEST_F(SocketUdpTest, DatagramsReachTheBoundPortWithTheirZeroBytes) {
    RtInt port = 0;
    RtInt receiver = OpenUdpOnFreePort(port);
    ASSERT_GE(receiver, 0);
    RtInt sender = OpenUdpSocket(0);
    ASSERT_GE(sender, 0);
    RtString data = "old";
    EXPECT_EQ(ReceiveSocket(receiver, data, 100), -2);
    EXPECT_EQ(Text(data), "");

    EXPECT_EQ(SendUdp(sender, Bytes("u\0d\0p", 5), kLoopback, port), 5);
    ASSERT_EQ(ReceiveWhenReady(receiver, data, 100), 5);
    EXPECT_EQ(Text(data), std::string("u\0d\0p", 5));

    EXPECT_EQ(SendUdp(sender, "x", kLoopback, port + 65536), 1) << "ports are taken as 16 bits";
    EXPECT_EQ(ReceiveWhenReady(receiver, data, 100), 1);
}

TEST_F(SocketUdpTest, ADatagramNeedsADestination) {
    RtInt sender = OpenUdpSocket(0);
    ASSERT_GE(sender, 0);
    EXPECT_EQ(SendUdp(sender, "x", 0, 0), -1);
    EXPECT_EQ(tvk::GetSocketErrorCode(), tvk::platform::kSocketNoDestination);
    EXPECT_EQ(SendSocket(sender, "x"), -1);
    EXPECT_EQ(SendUdp(sender, "", kLoopback, 9), 0) << "nothing to send";
}

TEST_F(SocketUdpTest, ClosingGivesTheSystemSocketBackAtOnce) {
    int before = OpenDescriptorCount();
    RtInt port = 0;
    RtInt first = OpenUdpOnFreePort(port);
    ASSERT_GE(first, 0);
    EXPECT_EQ(CloseSocket(first), 1);
    EXPECT_EQ(OpenDescriptorCount(), before);
    EXPECT_EQ(CloseSocket(first), 0) << "already closed";
    EXPECT_EQ(tvk::GetSocketErrorCode(), tvk::platform::kSocketNotASocket);

    // The port serves the next socket opened on it, which alone receives.
    RtInt second = OpenUdpSocket(port);
    ASSERT_EQ(second, first);
    RtInt sender = OpenUdpSocket(0);
    ASSERT_EQ(SendUdp(sender, "again", kLoopback, port), 5);
    RtString data;
    EXPECT_EQ(ReceiveWhenReady(second, data, 100), 5);
}

}  // namespace
