// Downloads from a canned server on the loopback, and the header and text rules on their own.
#include <unistd.h>

#include <chrono>
#include <climits>
#include <fstream>
#include <iterator>

#include "canned_http_server.h"
#include "net/http_download.h"
#include "net/socket_table.h"
#include "platform/system.h"
#include "socket_test_support.h"

namespace {

using After = CannedHttpServer::After;

std::string TempFile(const char* tag) {
    return tvk::platform::TempDirectory() + "tvk_http_" + std::to_string(getpid()) + "_" + tag + ".bin";
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string AllByteValues(int repeat) {
    std::string bytes;
    for (int round = 0; round < repeat; ++round)
        for (int value = 0; value < 256; ++value) bytes.push_back(static_cast<char>(value));
    return bytes;
}

class HttpDownloadTest : public SocketTest {};

TEST_F(HttpDownloadTest, SendsTheFixedRequestAndSavesEveryByteAfterTheHeaders) {
    std::string body = "text\r\n" + AllByteValues(12);  // zeros included, several receive chunks
    CannedHttpServer server({"HTTP/1.0 200 OK\r\nContent-Type: x\r\n\r\n", body});
    std::string file = TempFile("binary");
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/dir/a b?c=1", server.Port(), file.c_str(), 1000), 1);
    server.Finish();
    EXPECT_EQ(server.Request(), "GET /dir/a b?c=1 HTTP/1.0\r\nHost:127.0.0.1\r\nAccept: */*\r\nUser-Agent: Tarnvik\r\n\r\n");
    EXPECT_EQ(ReadWhole(file), body);
    unlink(file.c_str());
}

TEST_F(HttpDownloadTest, ReplacesAnOldFileWholly) {
    std::string file = TempFile("replace");
    std::ofstream(file) << "an older and much longer content";
    CannedHttpServer server({"HTTP/1.0 200 OK\r\n\r\nnew"});
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", server.Port(), file.c_str(), 1000), 1);
    EXPECT_EQ(ReadWhole(file), "new");
    unlink(file.c_str());
}

TEST_F(HttpDownloadTest, BareLineFeedsEndTheHeadersToo) {
    CannedHttpServer server({"HTTP/1.0 200 OK\nServer: x\n", "\n", "body\n\nmore"});
    EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", server.Port(), 100, 1000)), "body\n\nmore");
}

TEST_F(HttpDownloadTest, TextStopsAtTheFirstZeroByte) {
    CannedHttpServer server({"HTTP/1.0 200 OK\r\n\r\nab", std::string("c\0de", 4)});
    EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", server.Port(), 100, 1000)), "abc");
}

TEST_F(HttpDownloadTest, AResponseWithoutTheEndOfItsHeadersFails) {
    for (std::string response : {std::string("HTTP/1.0 200 OK\r\nServer: x\r\n"), std::string()}) {
        CannedHttpServer server({response});
        std::string file = TempFile("noend");
        EXPECT_EQ(DownloadToFile("127.0.0.1", "/", server.Port(), file.c_str(), 1000), 0);
        EXPECT_EQ(tvk::GetSocketErrorCode(), 10053);
        EXPECT_EQ(ReadWhole(file), "");
        unlink(file.c_str());
    }
}

TEST_F(HttpDownloadTest, EndlessHeadersEndTheDownload) {
    CannedHttpServer server({"HTTP/1.0 200 OK\r\n"}, After::FloodHeaders);
    EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", server.Port(), 100, 2000)), "");
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10040);
}

TEST_F(HttpDownloadTest, LongButFiniteHeadersAreSkipped) {
    std::string headers = "HTTP/1.0 200 OK\r\n";
    while (headers.size() < 60000) headers += "X-Padding: " + std::string(100, 'b') + "\r\n";
    CannedHttpServer server({headers + "\r\n", "payload"});
    EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", server.Port(), 100, 1000)), "payload");
}

TEST_F(HttpDownloadTest, ASilentServerTimesOutKeepingWhatArrived) {
    CannedHttpServer server({"HTTP/1.0 200 OK\r\n\r\npartial"}, After::HoldOpen);
    EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", server.Port(), 100, 150)), "partial");
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10060);

    CannedHttpServer mute({}, After::HoldOpen);
    std::string file = TempFile("mute");
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", mute.Port(), file.c_str(), 150), 0);
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10060);
    unlink(file.c_str());
}

TEST_F(HttpDownloadTest, TheTimeOutBoundsTheWholeDownloadNotTheGapsBetweenBytes) {
    CannedHttpServer server({"HTTP/1.0 200 OK\r\n\r\n"}, After::Drip);
    auto start = std::chrono::steady_clock::now();
    std::string text = Text(DownloadText("127.0.0.1", "/", server.Port(), 100, 500));
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10060);
    EXPECT_GE(elapsed, std::chrono::milliseconds(450));
    EXPECT_LT(elapsed, std::chrono::milliseconds(1500));
    EXPECT_FALSE(text.empty());
    EXPECT_LT(text.size(), 15u);

    // Headers that never end are bounded the same way, long before their size limit.
    CannedHttpServer headers({"HTTP/1.0 200 OK\r\nX-Slow: "}, After::Drip);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", headers.Port(), 100, 500)), "");
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10060);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
}

TEST_F(HttpDownloadTest, ARefusedConnectionFailsWithItsOwnError) {
    RtInt port = 0;
    RtInt listener = OpenListenerOnFreePort(port);
    ASSERT_GE(listener, 0);
    CloseSocket(listener);
    EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", port, 100, 1000)), "");
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10061);
    EXPECT_EQ(tvk::SocketStartCount(), 1);
}

TEST_F(HttpDownloadTest, AMemoryNameIsNoTargetAndCausesNoTraffic) {
    RtInt port = 0;
    RtInt listener = OpenListenerOnFreePort(port);
    ASSERT_GE(listener, 0);
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", port, "mem://       4.12345678", 1000), 0);
    RtInt ip = 0;
    EXPECT_EQ(AcceptSocket(listener, ip), -1);
    CloseSocket(listener);
}

TEST_F(HttpDownloadTest, MaximumsOutsideTheUsualRangeAreSafe) {
    CannedHttpServer negative({"HTTP/1.0 200 OK\r\n\r\nbody"});
    EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", negative.Port(), INT_MIN, 1000)), "");
    CannedHttpServer huge({"HTTP/1.0 200 OK\r\n\r\nbody"});
    EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", huge.Port(), INT_MAX, 1000)), "body");
}

TEST(HttpRules, AWholeDownloadMayTakeItsTimeOutOrThirtySecondsWhenNoneIsGiven) {
    EXPECT_EQ(tvk::HttpDownloadLimitMs(0), 30000);
    EXPECT_EQ(tvk::HttpDownloadLimitMs(-1), 30000);
    EXPECT_EQ(tvk::HttpDownloadLimitMs(250), 250);
    EXPECT_EQ(tvk::HttpDownloadLimitMs(90000), 90000);  // only the connect stops at 30000
}

TEST(HttpRules, PortZeroMeansEightyAndPortsAreSixteenBits) {
    EXPECT_EQ(tvk::HttpPort(0), 80);
    EXPECT_EQ(tvk::HttpPort(65536), 80);
    EXPECT_EQ(tvk::HttpPort(65536 + 8080), 8080);
}

TEST(HttpRules, HeaderEndIsTwoLineFeedsWithCarriageReturnsBetween) {
    struct Case {
        std::string bytes;
        size_t headerLength;  // bytes.size() + 1 when the headers do not end
    };
    for (const Case& c : {Case{"A\r\n\r\nB", 5}, Case{"A\n\nB", 3}, Case{"A\n\r\r\nB", 5}, Case{"\n\n", 2},
                          Case{"A\nx\nB", 6}, Case{"A\r\r\n", 5}}) {
        tvk::HttpHeaderSkipper skipper;
        size_t skipped = skipper.Consume(c.bytes.data(), c.bytes.size());
        bool ends = c.headerLength <= c.bytes.size();
        EXPECT_EQ(skipper.Finished(), ends) << c.bytes;
        EXPECT_EQ(skipped, ends ? c.headerLength : c.bytes.size()) << c.bytes;
    }
    // The line feeds may arrive in separate chunks; once ended, nothing more is header.
    tvk::HttpHeaderSkipper split;
    EXPECT_EQ(split.Consume("A\r\n", 3), 3u);
    EXPECT_EQ(split.Consume("\r", 1), 1u);
    EXPECT_EQ(split.Consume("\nbody\n\n", 7), 1u);
    EXPECT_EQ(split.Consume("\n\n", 2), 0u);
    EXPECT_EQ(split.HeaderBytes(), 5u);
}

TEST(HttpRules, TextKeepsOnlyChunksThatFitWhatIsLeft) {
    tvk::HttpBodyText text(11);  // a maximum of 10
    text.Add(std::string(100, 'x').data(), 100);
    EXPECT_EQ(text.Text(), "");
    text.Add("12345", 5);
    text.Add("678", 3);
    text.Add("90", 2);
    text.Add("!", 1);  // would take the end mark's place
    EXPECT_EQ(text.Text(), "1234567890");

    tvk::HttpBodyText zero(100);
    zero.Add("ab\0cd", 5);
    zero.Add("ef", 2);
    EXPECT_EQ(zero.Text(), "ab");
}

}  // namespace
