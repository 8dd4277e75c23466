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
// How long a whole download may take: timeoutMs, or 30000 when it is <= 0.
int HttpDownloadLimitMs(int timeoutMs);

// Fetches path from host. The body goes to file (when not null; "/" or "\" separated) and to
// text (when not null). The file is replaced only by a complete body: a failure leaves an
// existing file as it was. The whole download ends after HttpDownloadLimitMs(timeoutMs); the
// connect alone waits at most 30000 ms.
// 1 when a 2xx response came whole: its Content-Length of body (more is dropped), or everything
// until the server closed when it has none. 0 on any failure, with its reason as the last socket
// error:
//   10022       a control byte in the path or host, a space in the host, or a mem:// file
//   10053       closed before the headers ended or before the Content-Length of body arrived
//   10054       the connection was reset
//   10040       headers longer than kMaxHttpHeaderBytes
//   10060       the time-out ran out after the connect (10036 when the connect itself did)
//   100..999    the response's status when it is not 2xx
//   10107       "Protocol error" when the response has no status line
//   errno-based the file could not be made, written or renamed (the system's message, e.g.
//               10107 "No space left on device", 10013 "Permission denied")
int HttpGet(const std::string& host, const std::string& path, int port, const char* file, HttpBodyText* text,
            int timeoutMs);

}  // namespace tvk
