// The request a download sends: the path and host go in as given, but never bytes that would
// end the request line or a header early.
#include "net/socket_table.h"
#include "socket_test_support.h"

namespace {

class HttpRequestTest : public SocketTest {};

TEST_F(HttpRequestTest, LineBreaksAndControlBytesInThePathAreRefusedBeforeAnyTraffic) {
    RtInt port = 0;
    RtInt listener = OpenListenerOnFreePort(port);
    ASSERT_GE(listener, 0);
    for (std::string path : {std::string("/a HTTP/1.0\r\nX-Injected: 1\r\n\r\nGET /second"), std::string("/a\nb"),
                             std::string("/a\rb"), std::string("/a\tb"), std::string("/a\x7f"), std::string("/a\0b", 4)}) {
        RtString pathValue = Bytes(path.data(), static_cast<uint32_t>(path.size()));
        EXPECT_EQ(DownloadToFile("127.0.0.1", pathValue, port, "unused.bin", 1000), 0);
        EXPECT_EQ(tvk::SocketErrorText(), "10022 Invalid argument\r\n");
        EXPECT_EQ(Text(DownloadText("127.0.0.1", pathValue, port, 100, 1000)), "");
        EXPECT_EQ(tvk::GetSocketErrorCode(), 10022);
    }
    RtInt ip = 0;
    EXPECT_EQ(AcceptSocket(listener, ip), -1) << "a refused request reached the server";
    CloseSocket(listener);
}

TEST_F(HttpRequestTest, HostsWithSpacesOrControlBytesAreRefused) {
    RtInt port = 0;
    RtInt listener = OpenListenerOnFreePort(port);
    ASSERT_GE(listener, 0);
    for (std::string host : {std::string("127.0.0.1\r\nX-Injected: 1"), std::string("127.0.0.1 "),
                             std::string(" 127.0.0.1"), std::string("127.0.0.1\n"), std::string("127.0.0.1\0x", 11)}) {
        RtString hostValue = Bytes(host.data(), static_cast<uint32_t>(host.size()));
        EXPECT_EQ(Text(DownloadText(hostValue, "/", port, 100, 1000)), "");
        EXPECT_EQ(tvk::GetSocketErrorCode(), 10022);
    }
    RtInt ip = 0;
    EXPECT_EQ(AcceptSocket(listener, ip), -1) << "a refused request reached the server";
    CloseSocket(listener);
}

}  // namespace
