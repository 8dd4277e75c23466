// One HTTP/1.0 GET over the socket layer, on the caller's thread. Of the response headers only
// the status and the Content-Length are read; the body is everything after them up to that
// length, or until the server closes the connection when there is none.
#pragma once

#include <string>

#include "net/http_download_body.h"

namespace tvk {

// Headers longer than this end the download: no real server sends them, a hostile one could
// keep the call busy for ever.
inline constexpr uint64_t kMaxHttpHeaderBytes = 65536;
inline constexpr int kHttpDefaultPort = 80;

// port taken as 16 bits; 0 means 80.
int HttpPort(int port);

// Fetches path from host. The body goes to file (when not null; "/" or "\" separated) and to
// text (when not null). The file is replaced only by a complete body: a failure leaves an
// existing file as it was. timeoutMs bounds the connect and every wait for more data (30000 when
// <= 0 or above 30000).
// 1 when a 2xx response came whole: its Content-Length of body (more is dropped), or everything
// until the server closed when it has none. 0 on any failure, with its reason as the last socket
// error: the status itself (100..999) for any other status, 10107 "Protocol error" when there is
// no status line, 10053 closed before the headers ended or before the Content-Length of body
// arrived, 10054 the connection was reset, 10040 headers too long,
// 10060 nothing arrived for the time-out, 10022 a control byte in the path or host or a space in
// the host (nothing is sent) or a mem:// file; when the file cannot be made, written or renamed,
// the number of the system's error with its message (10107 "No space left on device", 10013
// "Permission denied", ...).
int HttpGet(const std::string& host, const std::string& path, int port, const char* file, HttpBodyText* text,
            int timeoutMs);

}  // namespace tvk
