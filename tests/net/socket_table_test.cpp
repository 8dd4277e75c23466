// The socket table: numbers, capacity, counted starts and the last error.
#include <sys/resource.h>

#include <set>
#include <thread>
#include <vector>

#include "net/socket_operations.h"
#include "socket_test_support.h"

namespace {

using SocketTableTest = SocketTest;

TEST_F(SocketTableTest, NumbersOutsideTheTableOrOfFreeEntriesTouchNothing) {
    RtString data = "keep?";
    RtInt ip = 42;
    for (RtInt number : {-1, 1024, 5, 0x7FFFFFFF, static_cast<RtInt>(0x80000000)}) {
        SCOPED_TRACE(number);
        tvk::SetSocketError(0);
        EXPECT_EQ(CloseSocket(number), 0);
        EXPECT_EQ(tvk::GetSocketErrorCode(), 10038);
        EXPECT_EQ(SendSocket(number, "x"), -1);
        EXPECT_EQ(SendUdp(number, "x", kLoopback, 9), -1);
        EXPECT_EQ(ReceiveSocket(number, data, 10), -1);
        EXPECT_EQ(Text(data), "");
        EXPECT_EQ(AcceptSocket(number, ip), -1);
        EXPECT_EQ(ip, 42);
        EXPECT_EQ(tvk::SetSocketBlocking(number, true), 10038);
    }
}

TEST_F(SocketTableTest, NumbersAreTheLowestFreeEntriesAndThe1025thSocketFails) {
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limit), 0);
    if (limit.rlim_cur < 1200) {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max < 1200 ? limit.rlim_max : 1200;
        setrlimit(RLIMIT_NOFILE, &raised);
        getrlimit(RLIMIT_NOFILE, &raised);
        if (raised.rlim_cur < 1100) GTEST_SKIP() << "this process may not open 1100 descriptors";
    }
    for (RtInt expected = 0; expected < 1024; ++expected) ASSERT_EQ(OpenUdpSocket(0), expected);
    EXPECT_EQ(OpenUdpSocket(0), -1);
    EXPECT_EQ(tvk::GetSocketErrorCode(), 8);
    EXPECT_EQ(OpenListener(0), -1);
    EXPECT_EQ(tvk::GetSocketErrorCode(), 8);
    EXPECT_EQ(Text(GetSocketError()).rfind("8 ", 0), 0u);

    EXPECT_EQ(CloseSocket(500), 1);
    EXPECT_EQ(OpenUdpSocket(0), 500);
    EXPECT_EQ(CloseSockets(), 0);
    EXPECT_EQ(InitSockets(), 1);
    EXPECT_EQ(OpenUdpSocket(0), 0) << "stopping the layer freed every entry";
}

TEST_F(SocketTableTest, StopWhileAnotherUserHoldsTheLayerClosesNothing) {
    EXPECT_EQ(InitSockets(), 1);
    RtInt socket = OpenUdpSocket(0);
    ASSERT_GE(socket, 0);
    EXPECT_EQ(CloseSockets(), 1);
    EXPECT_EQ(SendUdp(socket, "x", kLoopback, 9), 1) << "the socket is still open";

    int before = OpenDescriptorCount();
    EXPECT_EQ(CloseSockets(), 0);
    EXPECT_EQ(OpenDescriptorCount(), before - 1);
    EXPECT_EQ(CloseSocket(socket), 0);
    EXPECT_EQ(OpenUdpSocket(0), -1) << "the layer is stopped";
    EXPECT_EQ(tvk::GetSocketErrorCode(), tvk::platform::kSocketNotStarted);
    EXPECT_FALSE(Text(GetSocketError()).empty());
    EXPECT_EQ(CloseSockets(), 0) << "stopping a stopped layer is harmless";
    EXPECT_EQ(InitSockets(), 1);
}

TEST_F(SocketTableTest, TwoThreadsNeverReceiveTheSameEntry) {
    constexpr int kPerThread = 200;
    std::vector<RtInt> first, second;
    auto open = [](std::vector<RtInt>& numbers) {
        for (int i = 0; i < kPerThread; ++i) numbers.push_back(OpenUdpSocket(0));
    };
    std::thread other(open, std::ref(second));
    open(first);
    other.join();
    std::set<RtInt> distinct(first.begin(), first.end());
    distinct.insert(second.begin(), second.end());
    EXPECT_EQ(distinct.size(), 2u * kPerThread);
    EXPECT_EQ(distinct.count(-1), 0u);
}

TEST_F(SocketTableTest, ErrorTextIsTheNumberAndTheSystemsLine) {
    tvk::SetSocketError(10035);
    std::string text = Text(GetSocketError());
    EXPECT_EQ(text.rfind("10035 ", 0), 0u) << text;
    EXPECT_GT(text.size(), 8u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    tvk::SetSocketError(12345);
    EXPECT_EQ(Text(GetSocketError()), "") << "no message for an unknown number";
}

}  // namespace
