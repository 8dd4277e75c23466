// Peers that break a session host's rules, over raw loopback sockets on threads of their own, and
// a well-behaved member that measures how long the host takes to answer it meanwhile.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "net/session.h"

namespace session_fixture {

// Every peer runs until the object is destroyed. The counters are what each peer saw.
class HostilePeers {
public:
    explicit HostilePeers(int port) : port_(port) {}
    ~HostilePeers();
    HostilePeers(const HostilePeers&) = delete;
    HostilePeers& operator=(const HostilePeers&) = delete;

    // Each registers a player, then sends name requests as fast as the host takes them and
    // never reads; a connection the host ends is opened again.
    void StartFlooders(int count);
    // Holds count connections that never send anything; one the host ends is opened again.
    void StartIdleConnections(int count);
    // One connection asking for players players at once, reading the answers.
    void StartRegistrar(int players);
    // One connection that joins a player and lets it leave again, as fast as the host answers.
    void StartChurner();

    std::atomic<int> flooderDrops{0};   // flooder connections the host ended
    std::atomic<int> idleOpen{0};       // idle connections open (connected or connecting) now
    std::atomic<int> idleDrops{0};      // idle connections the host ended
    std::atomic<int> registrarIds{0};   // ids the registrar was given
    std::atomic<int> churnCycles{0};    // joins the churner was granted (each left again)
    std::atomic<int> churnLastId{0};

private:
    void Flood(int count);
    void HoldIdle(int count);
    void Register(int players);
    void Churn();

    int port_;
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

// Answer times of a well-behaved member, in milliseconds; 0 answers count as lost.
struct AnswerTimes {
    std::vector<double> ms;
    int lost = 0;
    double Median() const;
    double Slowest() const;
    std::string Summary() const;  // "n answers, median .. ms, slowest .. ms, lost .."
};

// Alternates count requests with texts to the member's own player (each relayed by the host) for
// about duration ms, one at a time.
AnswerTimes Ping(tvk::Session& member, int player, int durationMs);

}  // namespace session_fixture
