#include "net/http_download.h"

#include <cstdio>

#include "files/file_stream.h"
#include "net/http_request.h"
#include "net/socket_operations.h"
#include "platform/system.h"

namespace tvk {

namespace {

constexpr int kReceiveChunk = 1023;
constexpr int kIdleSleepMs = 5;
constexpr int kClosedEarly = 10053;
constexpr int kHeadersTooLong = 10040;

// Everything a download holds while it runs; Finish gives it all back.
class Transfer {
public:
    explicit Transfer(int socket) : socket_(socket) {}
    // Closes the socket and stops the layer. A failure keeps its own error as the last one.
    int Finish(int result, FileStream& file) {
        platform::SocketFault fault = SaveSocketError();
        file.Close();
        CloseEntry(socket_);
        StopSockets();
        if (!result) RestoreSocketError(fault);
        return result;
    }
    int FailWith(int code, FileStream& file) {
        SetSocketError(code);
        return Finish(0, file);
    }

private:
    int socket_;
};

int StopAfterFailure() {
    platform::SocketFault fault = SaveSocketError();
    StopSockets();
    RestoreSocketError(fault);
    return 0;
}

}  // namespace

int HttpPort(int port) {
    int value = static_cast<uint16_t>(port);
    return value == 0 ? kHttpDefaultPort : value;
}

int HttpGet(const std::string& host, const std::string& path, int port, const char* file, HttpBodyText* text,
            int timeoutMs) {
    std::string request;
    if (!BuildHttpRequest(host, path, request)) {
        SetSocketError(platform::kSocketInvalidArgument);
        return 0;
    }
    FileStream out;
    if (file && !out.OpenWrite(file)) return 0;

    if (StartSockets() != 1) return 0;
    SocketAddress address = ResolveHost(host, HttpPort(port));
    if (address.IsNone()) return StopAfterFailure();
    int socket = ConnectTcp(address, timeoutMs);
    if (socket < 0) return StopAfterFailure();
    Transfer transfer(socket);

    if (SendData(socket, request.data(), static_cast<int>(request.size()), nullptr) < 1)
        return transfer.Finish(0, out);

    const double idleLimitMs = ConnectTimeoutMs(timeoutMs);
    double lastArrival = platform::MonotonicMs();
    HttpHeaderSkipper headers;
    char chunk[kReceiveChunk];
    for (;;) {
        int count = ReceiveData(socket, chunk, kReceiveChunk, false);
        if (count == -2) {
            if (platform::MonotonicMs() - lastArrival > idleLimitMs)
                return transfer.FailWith(platform::kSocketTimedOut, out);
            platform::SleepMs(kIdleSleepMs);
            continue;
        }
        if (count == 0) {
            // A response cut off inside its headers has no body to speak of: not a success.
            if (!headers.Finished()) return transfer.FailWith(kClosedEarly, out);
            return transfer.Finish(1, out);
        }
        if (count < 0) return transfer.Finish(0, out);
        lastArrival = platform::MonotonicMs();

        size_t skipped = headers.Consume(chunk, static_cast<size_t>(count));
        if (!headers.Finished()) {
            if (headers.HeaderBytes() > kMaxHttpHeaderBytes) return transfer.FailWith(kHeadersTooLong, out);
            continue;
        }
        const char* body = chunk + skipped;
        size_t length = static_cast<size_t>(count) - skipped;
        if (length == 0) continue;
        if (out.HasFile()) out.Write(body, length);
        if (text) text->Add(body, length);
    }
}

}  // namespace tvk
