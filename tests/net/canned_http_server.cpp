#include "canned_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace {

// Every wait of the server ends by itself, so a failing test never hangs.
constexpr auto kServerPatience = std::chrono::seconds(3);

bool WaitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) {
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd entry{fd, events, 0};
        if (poll(&entry, 1, 20) > 0) return true;
    }
    return false;
}

}  // namespace

CannedHttpServer::CannedHttpServer(std::vector<std::string> pieces, After after)
    : pieces_(std::move(pieces)), after_(after) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 4) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

CannedHttpServer::~CannedHttpServer() {
    stop_ = true;
    Finish();
    if (listener_ >= 0) close(listener_);
}

void CannedHttpServer::Finish() {
    if (thread_.joinable()) thread_.join();
}

void CannedHttpServer::Serve() {
    auto deadline = std::chrono::steady_clock::now() + kServerPatience;
    if (!WaitFor(listener_, POLLIN, deadline)) return;
    int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) return;
    connected_ = true;
    ReadRequest(connection);
    for (const std::string& piece : pieces_) SendAll(connection, piece);
    if (after_ == After::HoldOpen) {
        char sink[256];
        while (!stop_ && WaitFor(connection, POLLIN, deadline) && recv(connection, sink, sizeof sink, 0) > 0) {
        }
    } else if (after_ == After::FloodHeaders) {
        const std::string line = "X-Padding: " + std::string(100, 'a') + "\r\n";
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            if (!WaitFor(connection, POLLOUT, deadline)) break;
            if (send(connection, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT) < 0 && errno != EAGAIN) break;
        }
    } else if (after_ == After::Drip) {
        // One byte every 100 ms: never silent for long, never done.
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            if (send(connection, "x", 1, MSG_NOSIGNAL) != 1) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    } else if (after_ == After::Reset) {
        linger off{1, 0};
        setsockopt(connection, SOL_SOCKET, SO_LINGER, &off, sizeof off);
    }
    close(connection);
}

void CannedHttpServer::ReadRequest(int connection) {
    auto deadline = std::chrono::steady_clock::now() + kServerPatience;
    char buffer[512];
    while (request_.find("\r\n\r\n") == std::string::npos && request_.size() < 65536) {
        if (!WaitFor(connection, POLLIN, deadline)) return;
        long count = recv(connection, buffer, sizeof buffer, 0);
        if (count <= 0) return;
        request_.append(buffer, static_cast<size_t>(count));
    }
}

void CannedHttpServer::SendAll(int connection, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        long count = send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (count <= 0) return;
        sent += static_cast<size_t>(count);
    }
}
