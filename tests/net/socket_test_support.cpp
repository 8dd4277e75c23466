#include "socket_test_support.h"

#include <dirent.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "net/socket_table.h"

namespace {

// Ports tried from a start that differs between processes, so parallel test runs rarely meet.
RtInt NextCandidatePort() {
    static RtInt next = 20000 + static_cast<RtInt>(getpid() % 4000) * 8;
    if (++next > 60000) next = 20001;
    return next;
}

template <typename Open>
RtInt OpenOnFreePort(RtInt& port, Open open) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        port = NextCandidatePort();
        RtInt socket = open(port);
        if (socket >= 0) return socket;
    }
    return -1;
}

}  // namespace

void SocketTest::SetUp() { ASSERT_EQ(InitSockets(), 1); }

void SocketTest::TearDown() {
    EXPECT_EQ(tvk::SocketStartCount(), 1) << "a test left its own starts unbalanced";
    while (tvk::SocketStartCount() > 0) CloseSockets();
}

RtInt OpenListenerOnFreePort(RtInt& port) { return OpenOnFreePort(port, OpenListener); }

RtInt OpenUdpOnFreePort(RtInt& port) {
    // Binding a UDP port succeeds even when another socket that allows reuse holds it, so a
    // TCP listener on the same number proves it unused by this machine's usual peers first.
    return OpenOnFreePort(port, [](RtInt candidate) {
        RtInt probe = OpenListener(candidate);
        if (probe < 0) return -1;
        CloseSocket(probe);
        return OpenUdpSocket(candidate);
    });
}

void ConnectPair(RtInt& client, RtInt& server) {
    RtInt port = 0;
    RtInt listener = OpenListenerOnFreePort(port);
    ASSERT_GE(listener, 0);
    client = ConnectSocket("127.0.0.1", port, 1000);
    ASSERT_GE(client, 0) << Text(GetSocketError());
    RtInt ip = 0;
    server = -1;
    ASSERT_TRUE(Eventually([&] { return (server = AcceptSocket(listener, ip)) >= 0; }));
    EXPECT_EQ(ip, kLoopback);
    CloseSocket(listener);
}

bool Eventually(const std::function<bool()>& step) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (!step()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

RtInt ReceiveWhenReady(RtInt socket, RtString& data, RtInt maximum) {
    RtInt count = -2;
    Eventually([&] { return (count = ReceiveSocket(socket, data, maximum)) != -2; });
    return count;
}

RtString Bytes(const char* data, uint32_t count) {
    RtString value;
    value.Assign(data, count);
    return value;
}

std::string Text(const RtString& value) { return std::string(value.c_str(), value.Length()); }

int OpenDescriptorCount() {
    int count = 0;
    DIR* directory = opendir("/proc/self/fd");
    if (!directory) return -1;
    while (dirent* entry = readdir(directory))
        if (entry->d_name[0] != '.') ++count;
    closedir(directory);
    return count - 1;  // the listing's own descriptor
}
