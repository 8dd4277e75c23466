#include "session_fixture.h"

#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "net/session_wire.h"

namespace session_fixture {

namespace {

using Clock = std::chrono::steady_clock;

// How long an idle peer waits before opening again a connection the host ended.
constexpr auto kIdleReopenPause = std::chrono::milliseconds(100);

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A non-blocking connection to the loopback, possibly still being made; -1 when no socket.
int OpenConnection(int port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    return fd;
}

std::string Encoded(uint8_t type, int16_t source, const std::string& payload) {
    return tvk::EncodeMessage({type, tvk::kTargetHost, source, payload});
}

std::string JoinBytes(const std::string& name) {
    return Encoded(tvk::kJoinRequest, 0, tvk::EncodeJoinRecord({0, false, name}));
}

// Bytes to send on a non-blocking socket, sent as far as it takes them.
struct Pending {
    std::string bytes;
    size_t at = 0;
    // False when the connection failed.
    bool Push(int fd) {
        while (at < bytes.size()) {
            ssize_t sent = send(fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
            if (sent > 0) {
                at += static_cast<size_t>(sent);
                continue;
            }
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOTCONN;
        }
        bytes.clear();
        at = 0;
        return true;
    }
    bool Empty() const { return at >= bytes.size(); }
};

// Reads what has arrived: false when the connection is closed or failed.
bool Drain(int fd, tvk::SessionMessageReader& reader) {
    char buffer[4096];
    for (;;) {
        ssize_t count = recv(fd, buffer, sizeof buffer, 0);
        if (count > 0) {
            reader.Feed(buffer, static_cast<size_t>(count));
            continue;
        }
        if (count == 0) return false;
        return errno == EAGAIN || errno == EWOULDBLOCK;
    }
}

}  // namespace

HostilePeers::~HostilePeers() {
    stop_ = true;
    for (std::thread& thread : threads_) thread.join();
}

void HostilePeers::StartFlooders(int count) { threads_.emplace_back([this, count] { Flood(count); }); }
void HostilePeers::StartIdleConnections(int count) { threads_.emplace_back([this, count] { HoldIdle(count); }); }
void HostilePeers::StartRegistrar(int players) { threads_.emplace_back([this, players] { Register(players); }); }
void HostilePeers::StartChurner() { threads_.emplace_back([this] { Churn(); }); }

void HostilePeers::Flood(int count) {
    std::string burst;
    for (int i = 0; i < 256; ++i) burst += Encoded(tvk::kNameRequest, 0, tvk::PayloadU16(tvk::kFirstPlayerId));
    struct Flooder {
        int fd = -1;
        Pending pending;
    };
    std::vector<Flooder> flooders(static_cast<size_t>(count));
    auto open = [&](Flooder& flooder) {
        flooder.fd = OpenConnection(port_);
        flooder.pending = Pending{JoinBytes("flooder") + burst};
    };
    for (Flooder& flooder : flooders) open(flooder);
    std::vector<pollfd> polls(flooders.size());
    while (!stop_) {
        for (size_t i = 0; i < flooders.size(); ++i) polls[i] = {flooders[i].fd, POLLOUT, 0};
        poll(polls.data(), polls.size(), 10);
        for (size_t i = 0; i < flooders.size(); ++i) {
            Flooder& flooder = flooders[i];
            bool failed = polls[i].revents & (POLLERR | POLLHUP | POLLNVAL);
            if (!failed && (polls[i].revents & POLLOUT)) {
                if (flooder.pending.Empty()) flooder.pending = Pending{burst};
                failed = !flooder.pending.Push(flooder.fd);
            }
            if (!failed) continue;
            ++flooderDrops;
            close(flooder.fd);
            open(flooder);
        }
    }
    for (Flooder& flooder : flooders) close(flooder.fd);
}

void HostilePeers::HoldIdle(int count) {
    // Opened a few at a time, as many peers would arrive, so the waiting queue of the listener
    // does not simply overflow.
    constexpr int kOpensPerRound = 20;
    struct Idle {
        int fd = -1;
        Clock::time_point reopenAt;
    };
    std::vector<Idle> idle(static_cast<size_t>(count));
    std::vector<pollfd> polls(idle.size());
    while (!stop_) {
        for (size_t i = 0; i < idle.size(); ++i) polls[i] = {idle[i].fd, POLLIN, 0};
        poll(polls.data(), polls.size(), 10);
        auto now = Clock::now();
        int opened = 0;
        for (size_t i = 0; i < idle.size(); ++i) {
            Idle& connection = idle[i];
            if (connection.fd < 0) {
                if (now < connection.reopenAt || opened == kOpensPerRound) continue;
                connection.fd = OpenConnection(port_);
                ++opened;
                ++idleOpen;
                continue;
            }
            if (!polls[i].revents) continue;
            char byte;
            ssize_t got = recv(connection.fd, &byte, 1, 0);
            if (got > 0 || (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))) continue;
            close(connection.fd);
            connection.fd = -1;
            connection.reopenAt = now + kIdleReopenPause;
            --idleOpen;
            ++idleDrops;
        }
    }
    for (Idle& connection : idle)
        if (connection.fd >= 0) close(connection.fd);
}

void HostilePeers::Register(int players) {
    int fd = OpenConnection(port_);
    Pending pending;
    for (int i = 0; i < players; ++i) pending.bytes += JoinBytes("registrar " + std::to_string(i));
    tvk::SessionMessageReader reader;
    bool open = true;
    while (!stop_ && open) {
        pollfd entry{fd, static_cast<short>(POLLIN | (pending.Empty() ? 0 : POLLOUT)), 0};
        poll(&entry, 1, 20);
        if (!pending.Empty() && !pending.Push(fd)) break;
        open = Drain(fd, reader);
        tvk::SessionMessage message;
        while (reader.Next(message))
            if (message.type == tvk::kJoinAccepted) ++registrarIds;
    }
    close(fd);
}

void HostilePeers::Churn() {
    constexpr int kInFlight = 8;
    int fd = OpenConnection(port_);
    Pending pending;
    for (int i = 0; i < kInFlight; ++i) pending.bytes += JoinBytes("churner");
    tvk::SessionMessageReader reader;
    bool open = true;
    while (!stop_ && open) {
        pollfd entry{fd, static_cast<short>(POLLIN | (pending.Empty() ? 0 : POLLOUT)), 0};
        poll(&entry, 1, 20);
        open = Drain(fd, reader);
        tvk::SessionMessage message;
        while (reader.Next(message)) {
            if (message.type != tvk::kJoinAccepted) continue;
            ++churnCycles;
            churnLastId = static_cast<uint16_t>(message.target);
            pending.bytes += Encoded(tvk::kPlayerLeaves, message.target, "") + JoinBytes("churner");
        }
        if (!pending.Push(fd)) break;
    }
    close(fd);
}

double AnswerTimes::Median() const {
    if (ms.empty()) return 0;
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
}

double AnswerTimes::Slowest() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }

std::string AnswerTimes::Summary() const {
    char text[128];
    std::snprintf(text, sizeof text, "%zu answers, median %.1f ms, slowest %.1f ms, lost %d", ms.size(), Median(),
                  Slowest(), lost);
    return text;
}

AnswerTimes Ping(tvk::Session& member, int player, int durationMs) {
    AnswerTimes times;
    auto end = Clock::now() + std::chrono::milliseconds(durationMs);
    for (int round = 0; Clock::now() < end; ++round) {
        auto start = Clock::now();
        bool answered;
        if (round % 2 == 0) {
            answered = tvk::RequestPlayerCount(member) > 0;
        } else {
            std::string text = "ping " + std::to_string(round);
            answered = false;
            if (tvk::SendSessionText(member, player, player, text) == 1) {
                std::string got;
                while (!answered && MsSince(start) < 5000) {
                    if (tvk::TakePlayerMessage(member, player, got)) answered = got == text;
                    else std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
            }
        }
        if (answered) times.ms.push_back(MsSince(start));
        else ++times.lost;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return times;
}

}  // namespace session_fixture
