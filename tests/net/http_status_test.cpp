// A server that answers with anything but a 2xx status has not delivered the resource.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "canned_http_server.h"
#include "net/http_header_fields.h"
#include "net/socket_table.h"
#include "socket_test_support.h"
#include "support/child_process.h"

namespace {

class HttpStatusTest : public SocketTest {};

TEST_F(HttpStatusTest, AnAnswerOutsideTwoHundredsFailsWithItsStatusAndKeepsTheOldFile) {
    std::string dir = tvk::test::MakeTempDir();
    std::string file = dir + "/page.html";
    for (const char* status : {"404 Not Found", "301 Moved Permanently", "500 Internal Server Error", "100 Continue"}) {
        { std::ofstream(file) << "old"; }
        CannedHttpServer server({std::string("HTTP/1.1 ") + status + "\r\nContent-Length: 4\r\n\r\nnope"});
        EXPECT_EQ(DownloadToFile("127.0.0.1", "/", server.Port(), file.c_str(), 1000), 0) << status;
        int code = std::atoi(status);
        EXPECT_EQ(tvk::GetSocketErrorCode(), code);
        EXPECT_EQ(tvk::SocketErrorText(),
                  std::to_string(code) + " The server answered with HTTP status " + std::to_string(code) + ".\r\n");
        EXPECT_EQ(tvk::test::ReadFile(file), "old") << status;

        CannedHttpServer again({std::string("HTTP/1.0 ") + status + "\r\n\r\nnope"});
        EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", again.Port(), 100, 1000)), "") << status;
        EXPECT_EQ(tvk::GetSocketErrorCode(), code);
    }
    unlink(file.c_str());
    rmdir(dir.c_str());
}

TEST_F(HttpStatusTest, AnAnswerThatIsNoHttpResponseFails) {
    for (const char* head : {"garbage\r\n\r\n", "\n\n", "ICY 200 OK\r\n\r\n"}) {
        CannedHttpServer server({std::string(head) + "body"});
        EXPECT_EQ(Text(DownloadText("127.0.0.1", "/", server.Port(), 100, 1000)), "") << head;
        EXPECT_EQ(tvk::SocketErrorText(), "10107 Protocol error\r\n") << head;
    }
}

}  // namespace

namespace {

int StatusOf(const std::string& head, size_t chunk) {
    tvk::HttpHeaderFields fields;
    for (size_t at = 0; at < head.size(); at += chunk) fields.Add(head.data() + at, std::min(chunk, head.size() - at));
    return fields.Status();
}

TEST(HttpStatusLine, IsReadWhereverTheChunksAreCut) {
    struct Case {
        std::string head;
        int status;
    };
    for (const Case& c : {Case{"HTTP/1.1 204 No Content\r\n\r\n", 204}, Case{"HTTP/1.0 404\n\n", 404},
                          Case{"\r\nHTTP/1.0 302 Found\r\n\r\n", 302}, Case{"HTTP/10.25   500 x\r\n\r\n", 500},
                          Case{"HTTP/1.1 200 " + std::string(5000, 'r') + "\r\n\r\n", 200},
                          Case{"http/1.0 200 OK\r\n\r\n", 0}, Case{"HTTP/1.0 099 OK\r\n\r\n", 0},
                          Case{"HTTP/1.0 2001\r\n\r\n", 0}, Case{"X: y\r\nHTTP/1.0 200 OK\r\n\r\n", 0},
                          Case{"HTTP/ 200 OK\r\n\r\n", 0}, Case{"HTTP/1.0 20 OK\r\n\r\n", 0},
                          Case{"HTTP/1.0 abc\r\n\r\n", 0}, Case{"HTTP/1.1 299\r\n\r\n", 299},
                          Case{"HTTP/1.0 200 OK", 0}}) {
        for (size_t chunk : {size_t(1), size_t(3), size_t(1023)}) EXPECT_EQ(StatusOf(c.head, chunk), c.status) << c.head;
    }
}

}  // namespace
