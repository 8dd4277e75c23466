// Host names to addresses, and this machine's own addresses.
#include <cstdio>
#include <vector>

#include "net/socket_operations.h"

namespace tvk {

namespace {

constexpr size_t kAddressListLimit = 2047;
constexpr size_t kNameLimit = 1023;

std::string DottedText(uint32_t hostOrder) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", hostOrder >> 24, (hostOrder >> 16) & 255,
                  (hostOrder >> 8) & 255, hostOrder & 255);
    return text;
}

bool Resolve(const std::string& name, uint32_t& address) {
    bool found = platform::ResolveIpv4(name, address);
    RecordSocketError();
    return found;
}

}  // namespace

int LocalAddressList(std::string_view separator, std::string& text) {
    text.clear();
    std::vector<uint32_t> addresses;
    bool listed = platform::LocalIpv4Addresses(addresses);
    RecordSocketError();
    if (!listed) return 0;
    int count = 0;
    for (uint32_t address : addresses) {
        std::string dotted = DottedText(platform::NetworkToHost32(address));
        if (dotted.starts_with("127.")) continue;
        if (text.size() + dotted.size() + separator.size() > kAddressListLimit) break;
        text += dotted;
        text += separator;
        ++count;
    }
    return count;
}

SocketAddress ResolveHost(const std::string& name, int port) {
    SocketAddress result{0, platform::HostToNetwork16(static_cast<uint16_t>(port))};
    if (!name.empty()) {
        if (!Resolve(name, result.address)) return SocketAddress{};
        return result;
    }
    std::string local;
    LocalAddressList("\n", local);
    std::string first = local.substr(0, local.find('\n')).substr(0, kNameLimit);
    if (!first.empty() && Resolve(first, result.address)) return result;
    if (Resolve("127.0.0.1", result.address) || Resolve("localhost.local", result.address)) return result;
    return SocketAddress{};
}

std::string IpText(uint32_t hostOrder) { return DottedText(hostOrder); }

}  // namespace tvk
