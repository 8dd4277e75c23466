#include "net/http_request.h"

namespace tvk {

namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool FitsPath(const std::string& path) {
    for (unsigned char c : path)
        if (IsControl(c)) return false;
    return true;
}

bool FitsHost(const std::string& host) {
    for (unsigned char c : host)
        if (IsControl(c) || c == ' ') return false;
    return true;
}

}  // namespace

bool BuildHttpRequest(const std::string& host, const std::string& path, std::string& request) {
    if (!FitsPath(path) || !FitsHost(host)) return false;
    request = "GET " + path + " HTTP/1.0\r\nHost:" + host + "\r\nAccept: */*\r\nUser-Agent: Tarnvik\r\n\r\n";
    return true;
}

}  // namespace tvk
