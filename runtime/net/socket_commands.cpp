// The language's socket commands over the socket table.
#include "net/socket_operations.h"
#include "tarnvik/net.h"

namespace {

// One receive never asks for more than this: larger datagrams do not exist and a stream keeps
// the rest for the next call.
constexpr RtInt kMaxReceive = 1 << 20;

tvk::SocketAddress Endpoint(RtInt ip, RtInt port) {
    return tvk::SocketAddress{tvk::platform::HostToNetwork32(static_cast<uint32_t>(ip)),
                              tvk::platform::HostToNetwork16(static_cast<uint16_t>(port))};
}

RtInt HostOrder(uint32_t networkOrder) {
    return static_cast<RtInt>(tvk::platform::NetworkToHost32(networkOrder));
}

uint16_t PortOf(RtInt port) { return static_cast<uint16_t>(port); }

}  // namespace

RtInt InitSockets() { return tvk::StartSockets(); }

RtInt CloseSockets() { return tvk::StopSockets(); }

RtInt OpenListener(RtInt port) { return tvk::ListenTcp(PortOf(port)); }

RtInt ConnectSocket(const RtString& host, RtInt port, RtInt timeoutMs) {
    tvk::SocketAddress address = tvk::ResolveHost(host.c_str(), PortOf(port));
    if (address.IsNone()) return -1;
    return tvk::ConnectTcp(address, timeoutMs);
}

RtInt AcceptSocket(RtInt listener, RtInt& ip) {
    tvk::SocketAddress peer;
    RtInt socket = tvk::AcceptTcp(listener, &peer);
    if (socket >= 0) ip = HostOrder(peer.address);
    return socket;
}

RtInt OpenUdpSocket(RtInt port) { return tvk::OpenUdp(PortOf(port)); }

RtInt CloseSocket(RtInt socket) { return tvk::CloseEntry(socket) == 0 ? 1 : 0; }

RtInt SendSocket(RtInt socket, const RtString& data) {
    return tvk::SendData(socket, data.c_str(), static_cast<int>(data.Length()), nullptr);
}

RtInt SendUdp(RtInt socket, const RtString& data, RtInt ip, RtInt port) {
    tvk::SocketAddress target = Endpoint(ip, PortOf(port));
    return tvk::SendData(socket, data.c_str(), static_cast<int>(data.Length()), &target);
}

RtInt ReceiveSocket(RtInt socket, RtString& data, RtInt maximum) {
    RtInt count;
    if (maximum <= 0) {
        count = tvk::ReceiveData(socket, nullptr, 0, false);
    } else {
        uint32_t size = static_cast<uint32_t>(maximum < kMaxReceive ? maximum : kMaxReceive);
        data.Reserve(size, false);
        char* buffer = data.RawBuffer(size);
        count = tvk::ReceiveData(socket, buffer, static_cast<int>(size), false);
        if (count > 0) {
            buffer[count] = 0;
            data.length = static_cast<uint32_t>(count);
            return count;
        }
    }
    data.Assign("", 0);
    return count;
}

RtInt LookupHost(const RtString& name) {
    tvk::SocketAddress address = tvk::ResolveHost(name.c_str(), 0);
    if (address.IsNone()) return -1;
    return HostOrder(address.address);
}

RtString IpToText(RtInt ip) { return RtString(tvk::IpText(static_cast<uint32_t>(ip)).c_str()); }

RtString GetLocalIps() {
    tvk::StartSockets();
    std::string text;
    tvk::LocalAddressList("|", text);
    if (!text.empty()) text.pop_back();
    tvk::StopSockets();
    return RtString(text.c_str());
}

RtString GetSocketError() { return RtString(tvk::SocketErrorText().c_str()); }
