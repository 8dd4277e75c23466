// Addresses as text and lookups that need no network beyond this machine.
#include <algorithm>

#include "net/socket_operations.h"
#include "socket_test_support.h"

namespace {

TEST(IpText, OctetsMostSignificantFirst) {
    EXPECT_EQ(Text(IpToText(static_cast<RtInt>(0xC0A80001))), "192.168.0.1");
    EXPECT_EQ(Text(IpToText(-1)), "255.255.255.255");
    EXPECT_EQ(Text(IpToText(0)), "0.0.0.0");
}

using HostLookupTest = SocketTest;

TEST_F(HostLookupTest, DottedAddressesResolveToThemselves) {
    EXPECT_EQ(LookupHost("127.0.0.1"), kLoopback);
    EXPECT_EQ(LookupHost("10.1.2.3"), 0x0A010203);
}

TEST_F(HostLookupTest, EmptyNameIsThisMachine) {
    RtInt ip = LookupHost("");
    ASSERT_NE(ip, -1);
    std::string text = Text(IpToText(ip));
    if (ip != kLoopback) {
        EXPECT_NE(text.rfind("127.", 0), 0u) << text;
    }
    std::string locals = Text(GetLocalIps());
    if (locals.empty()) {
        EXPECT_EQ(ip, kLoopback);
    } else {
        EXPECT_EQ(locals.rfind(text, 0), 0u) << "the first local address: " << locals;
    }
}

TEST_F(HostLookupTest, LocalAddressesSkipLoopbackAndEndWithTheSeparator) {
    std::string list;
    int count = tvk::LocalAddressList("\n", list);
    EXPECT_EQ(count, static_cast<int>(std::count(list.begin(), list.end(), '\n')));
    EXPECT_EQ(list.find("127."), std::string::npos);
    if (count > 0) {
        EXPECT_EQ(list.back(), '\n');
    }
    std::string joined = Text(GetLocalIps());
    EXPECT_TRUE(joined.empty() || joined.back() != '|');
    EXPECT_EQ(tvk::SocketStartCount(), 1) << "GetLocalIps balances its own start";
}

TEST_F(HostLookupTest, ConnectingToNoAddressFails) {
    EXPECT_EQ(tvk::ConnectTcp(tvk::SocketAddress{}, 100), -1);
}

}  // namespace
