// Helpers for socket tests: a fixture that starts the layer and balances every start, ports that
// are free on this machine, and waits bounded by a deadline instead of fixed pauses.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tarnvik/net.h"

inline constexpr RtInt kLoopback = 0x7F000001;

class SocketTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A TCP listener on a port nobody else uses; port receives it.
RtInt OpenListenerOnFreePort(RtInt& port);
// A UDP socket bound to a port nobody else uses; port receives it.
RtInt OpenUdpOnFreePort(RtInt& port);
// A connected pair over the loopback: client and server ends.
void ConnectPair(RtInt& client, RtInt& server);
// Calls step until it returns true or about a second has passed.
bool Eventually(const std::function<bool()>& step);
// Receives until something other than "nothing yet" (-2) comes or about a second has passed.
RtInt ReceiveWhenReady(RtInt socket, RtString& data, RtInt maximum);
RtString Bytes(const char* data, uint32_t count);
std::string Text(const RtString& value);
// Open descriptors of this process.
int OpenDescriptorCount();
