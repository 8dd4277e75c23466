#include "net/http_download.h"

#include <cerrno>
#include <cmath>
#include <optional>

#include "net/http_download_target.h"
#include "net/http_header_fields.h"
#include "net/http_request.h"
#include "net/socket_operations.h"
#include "platform/system.h"

namespace tvk {

namespace {

constexpr int kReceiveChunk = 1023;
constexpr int kIdleSleepMs = 5;
constexpr int kClosedEarly = 10053;
constexpr int kHeadersTooLong = 10040;

void RecordProtocolError() {
    RestoreSocketError(platform::SocketFault{platform::SocketErrorFromErrno(EPROTO), platform::SocketFault::Source::System,
                                             EPROTO});
}

// One download from the connected socket on: the receive loop and everything it holds, given
// back by Finish.
class Transfer {
public:
    Transfer(int socket, HttpDownloadTarget* file, HttpBodyText* text, double deadline)
        : socket_(socket), file_(file), text_(text), deadline_(deadline) {}

    int Run(const std::string& request);

private:
    // Closes the socket and stops the layer; the file is kept only on success. A failure keeps
    // its own error as the last one.
    int Finish(bool success);
    int FailWith(int code) {
        SetSocketError(code);
        return Finish(false);
    }
    int RemainingMs() const;
    // The headers are complete: their status decides whether a body is wanted at all.
    bool AcceptHeaders();
    // Body bytes, cut to the declared length; false when the file could not take them.
    bool TakeBody(const char* bytes, size_t count);
    bool BodyComplete() const { return length_ >= 0 && body_ >= static_cast<uint64_t>(length_); }

    int socket_;
    HttpDownloadTarget* file_;
    HttpBodyText* text_;
    double deadline_;
    HttpHeaderSkipper headers_;
    HttpHeaderFields fields_;
    int64_t length_ = -1;
    uint64_t body_ = 0;
};

int Transfer::RemainingMs() const {
    double remaining = deadline_ - platform::MonotonicMs();
    return remaining > 0 ? static_cast<int>(remaining + 0.999) : 0;
}

int Transfer::Run(const std::string& request) {
    if (SendDataWithin(socket_, request.data(), static_cast<int>(request.size()), RemainingMs()) < 1)
        return Finish(false);
    char chunk[kReceiveChunk];
    for (;;) {
        // The time-out bounds the whole download: a server dripping bytes cannot stretch it.
        int remaining = RemainingMs();
        if (remaining == 0) return FailWith(platform::kSocketTimedOut);
        int count = ReceiveData(socket_, chunk, kReceiveChunk, false);
        if (count == -2) {
            platform::SleepMs(remaining < kIdleSleepMs ? remaining : kIdleSleepMs);
            continue;
        }
        if (count == 0) {
            // A reset may have cut the body anywhere; so may a close before the declared length.
            if (platform::LastSocketFault().code == platform::kSocketConnectionReset) return Finish(false);
            // A response cut off inside its headers has no body to speak of: not a success.
            if (!headers_.Finished() || (length_ >= 0 && !BodyComplete())) return FailWith(kClosedEarly);
            return Finish(true);
        }
        if (count < 0) return Finish(false);

        size_t skipped = 0;
        if (!headers_.Finished()) {
            skipped = headers_.Consume(chunk, static_cast<size_t>(count));
            fields_.Add(chunk, skipped);
            if (!headers_.Finished()) {
                if (headers_.HeaderBytes() > kMaxHttpHeaderBytes) return FailWith(kHeadersTooLong);
                continue;
            }
            if (!AcceptHeaders()) return Finish(false);
        }
        if (!TakeBody(chunk + skipped, static_cast<size_t>(count) - skipped)) return Finish(false);
        if (BodyComplete()) return Finish(true);
    }
}

bool Transfer::AcceptHeaders() {
    int status = fields_.Status();
    if (status == 0) {
        RecordProtocolError();
        return false;
    }
    if (status < 200 || status > 299) {
        // The status itself is the error: programs can tell "not found" from "moved".
        SetSocketError(status);
        return false;
    }
    length_ = fields_.ContentLength();
    return true;
}

bool Transfer::TakeBody(const char* bytes, size_t count) {
    if (length_ >= 0 && count > static_cast<uint64_t>(length_) - body_) count = static_cast<size_t>(length_ - body_);
    if (count == 0) return true;
    body_ += count;
    if (file_ && !file_->Write(bytes, count)) return false;
    if (text_) text_->Add(bytes, count);
    return true;
}

int Transfer::Finish(bool success) {
    platform::SocketFault fault = SaveSocketError();
    CloseEntry(socket_);
    if (success && file_ && !file_->Commit()) {
        success = false;
        fault = SaveSocketError();
    }
    if (!success && file_) file_->Abandon();
    StopSockets();
    if (!success) RestoreSocketError(fault);
    else SetSocketError(0);
    return success ? 1 : 0;
}

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

int HttpDownloadLimitMs(int timeoutMs) { return timeoutMs > 0 ? timeoutMs : kDefaultConnectTimeoutMs; }

int HttpGet(const std::string& host, const std::string& path, int port, const char* file, HttpBodyText* text,
            int timeoutMs) {
    const double deadline = platform::MonotonicMs() + HttpDownloadLimitMs(timeoutMs);
    std::string request;
    if (!BuildHttpRequest(host, path, request)) {
        SetSocketError(platform::kSocketInvalidArgument);
        return 0;
    }
    std::optional<HttpDownloadTarget> target;
    if (file && !target.emplace().Open(file)) return 0;

    if (StartSockets() != 1) return 0;
    SocketAddress address = ResolveHost(host, HttpPort(port));
    if (address.IsNone()) return StopAfterFailure();
    // The connect waits as long as it always did, unless less of the download's time is left.
    int connectMs = ConnectTimeoutMs(timeoutMs);
    double remaining = std::ceil(deadline - platform::MonotonicMs());
    if (remaining < connectMs) connectMs = remaining < 1 ? 1 : static_cast<int>(remaining);
    int socket = ConnectTcp(address, connectMs);
    if (socket < 0) return StopAfterFailure();
    Transfer transfer(socket, target ? &*target : nullptr, text, deadline);
    return transfer.Run(request);
}

}  // namespace tvk
