// A one-connection HTTP server on the loopback for download tests: it reads the request, sends
// fixed pieces of response and then closes, resets the connection, waits for the client to close,
// floods the client with header lines or drips body bytes one at a time. It uses the system's sockets directly, apart from the layer under test.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

class CannedHttpServer {
public:
    enum class After { Close, Reset, HoldOpen, FloodHeaders, Drip };

    explicit CannedHttpServer(std::vector<std::string> pieces, After after = After::Close);
    ~CannedHttpServer();
    CannedHttpServer(const CannedHttpServer&) = delete;
    CannedHttpServer& operator=(const CannedHttpServer&) = delete;

    int Port() const { return port_; }
    // Waits for the connection to end; then the request is complete.
    void Finish();
    const std::string& Request() const { return request_; }
    // Whether anybody connected (known once Finish returned).
    bool Connected() const { return connected_; }

private:
    void Serve();
    void ReadRequest(int connection);
    void SendAll(int connection, const std::string& bytes);

    std::vector<std::string> pieces_;
    After after_;
    int listener_ = -1;
    int port_ = 0;
    std::string request_;
    bool connected_ = false;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
