// A response that says how long its body is: fewer bytes are a failed download, and the download
// is complete as soon as they all arrived.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>

#include "canned_http_server.h"
#include "net/http_header_fields.h"
#include "net/socket_table.h"
#include "socket_test_support.h"
#include "support/child_process.h"

namespace {

using After = CannedHttpServer::After;

class HttpContentLengthTest : public SocketTest {};

TEST_F(HttpContentLengthTest, ABodyShorterThanItsLengthFailsAndKeepsTheOldFile) {
    std::string dir = tvk::test::MakeTempDir();
    std::string file = dir + "/short.bin";
    std::ofstream(file) << "old";
    CannedHttpServer server({"HTTP/1.0 200 OK\r\ncontent-length:  100 \r\n\r\n", std::string(50, 'a')});
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", server.Port(), file.c_str(), 1000), 0);
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10053);
    EXPECT_EQ(tvk::test::ReadFile(file), "old");
    unlink(file.c_str());
    rmdir(dir.c_str());

    CannedHttpServer text({"HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nabc"});
    EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", text.Port(), 100, 1000)), "abc");
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10053);
}

TEST_F(HttpContentLengthTest, TheWholeBodyEndsTheDownloadEvenWhenTheServerKeepsTheConnection) {
    CannedHttpServer server({"HTTP/1.0 200 OK\r\nContent-Length: 8\r\n\r\n", "12345678extra"}, After::HoldOpen);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", server.Port(), 100, 2000)), "12345678");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_EQ(tvk::GetSocketErrorCode(), 0);

    CannedHttpServer empty({"HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n"}, After::HoldOpen);
    EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", empty.Port(), 100, 2000)), "");
    EXPECT_EQ(tvk::GetSocketErrorCode(), 0);
}

TEST_F(HttpContentLengthTest, AResetConnectionIsNoCompleteBody) {
    CannedHttpServer server({"HTTP/1.0 200 OK\r\n\r\npartial"}, After::Reset);
    EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", server.Port(), 100, 1000)), "partial");
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10054);
}

}  // namespace

namespace {

TEST(HttpContentLengthField, IsReadFromAnyLineAfterTheStatusWhereverTheChunksAreCut) {
    struct Case {
        std::string head;
        int64_t length;
    };
    for (const Case& c : {Case{"HTTP/1.0 200 OK\r\nContent-Length: 42\r\n\r\n", 42},
                          Case{"HTTP/1.0 200 OK\r\nX: 1\r\nCONTENT-LENGTH:\t7\t\r\n\r\n", 7},
                          Case{"HTTP/1.0 200 OK\r\nContent-Length: 3\r\nContent-Length: 3\r\n\r\n", 3},
                          Case{"HTTP/1.0 200 OK\r\nContent-Length: 3\r\nContent-Length: 4\r\n\r\n", -1},
                          Case{"HTTP/1.0 200 OK\r\nContent-Length: 9007199254740993\r\n\r\n", -1},
                          Case{"HTTP/1.0 200 OK\r\nContent-Length: " + std::string(300, '0') + "5\r\n\r\n", -1},
                          Case{"HTTP/1.0 200 OK\r\nX-Content-Length: 5\r\n\r\n", -1},
                          Case{"HTTP/1.0 200 OK\r\nContent-Length: 12abc\r\n\r\n", -1},
                          Case{"HTTP/1.0 200 OK\r\nContent-Length: -3\r\n\r\n", -1},
                          Case{"HTTP/1.0 200 OK\r\nContent-Length:\r\n\r\n", -1},
                          Case{"Content-Length: 5\r\n\r\n", -1}}) {
        for (size_t chunk : {size_t(1), size_t(5), size_t(1023)}) {
            tvk::HttpHeaderFields fields;
            for (size_t at = 0; at < c.head.size(); at += chunk)
                fields.Add(c.head.data() + at, std::min(chunk, c.head.size() - at));
            EXPECT_EQ(fields.ContentLength(), c.length) << c.head;
        }
    }
}

}  // namespace
