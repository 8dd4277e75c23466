// Fuzzes the request a download builds from a program's host and path: either it is refused, or
// it is exactly the fixed request with both inserted, and no byte of theirs ends a line early.
// Build: clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Iruntime \
//        tests/fuzz/http_request_fuzz.cpp runtime/net/http_request.cpp -o http_request_fuzz
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/http_request.h"

namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool Any(const std::string& text, bool (*bad)(unsigned char)) {
    for (unsigned char c : text)
        if (bad(c)) return true;
    return false;
}

size_t Count(const std::string& text, char c) {
    size_t count = 0;
    for (char each : text) count += each == c;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // The first byte says where the host ends and the path begins.
    size_t cut = data[0] % size;
    std::string host(reinterpret_cast<const char*>(data + 1), cut);
    std::string path(reinterpret_cast<const char*>(data + 1 + cut), size - 1 - cut);

    const std::string untouched = "untouched";
    std::string request = untouched;
    bool built = tvk::BuildHttpRequest(host, path, request);
    bool pathBad = Any(path, IsControl);
    bool hostBad = Any(host, [](unsigned char c) { return IsControl(c) || c == ' '; });
    if (!built) {
        // Refused only for a reason, and then nothing was written.
        if (!pathBad && !hostBad) abort();
        if (request != untouched) abort();
        return 0;
    }
    if (pathBad || hostBad) abort();

    // Exactly the four fixed lines and the blank one: every CR and LF is one of the request's own.
    const std::string requestLine = "GET " + path + " HTTP/1.0\r\n";
    const std::string hostLine = "Host:" + host + "\r\n";
    const std::string rest = "Accept: */*\r\nUser-Agent: Tarnvik\r\n\r\n";
    if (request != requestLine + hostLine + rest) abort();
    if (Count(request, '\r') != 5 || Count(request, '\n') != 5) abort();
    if (request.find("\r\n") != requestLine.size() - 2) abort();
    if (request.find("\r\n", requestLine.size()) != requestLine.size() + hostLine.size() - 2) abort();
    for (size_t at = 0; at < request.size(); ++at) {
        bool lineEnd = request[at] == '\r' && at + 1 < request.size() && request[at + 1] == '\n';
        if (request[at] == '\r' && !lineEnd) abort();
        if (request[at] == '\n' && (at == 0 || request[at - 1] != '\r')) abort();
        if (request[at] == '\0') abort();
    }
    // The host line is one token: a space would let a server read the rest as something else.
    if (hostLine.find(' ') != std::string::npos) abort();
    return 0;
}
