// The language's download commands over HttpGet.
#include "net/http_download.h"
#include "tarnvik/net.h"

namespace {

// Every byte of the value: a zero byte inside must be refused, not silently end the text.
std::string Whole(const RtString& value) { return std::string(value.c_str(), value.Length()); }

}  // namespace

RtInt DownloadToFile(const RtString& host, const RtString& path, RtInt port, const RtString& file, RtInt timeoutMs) {
    return tvk::HttpGet(Whole(host), Whole(path), port, file.c_str(), nullptr, timeoutMs);
}

RtString DownloadText(const RtString& host, const RtString& path, RtInt port, RtInt maximum, RtInt timeoutMs) {
    // Room for maximum characters and the end mark; the text itself grows only as bytes arrive.
    tvk::HttpBodyText text(static_cast<int64_t>(maximum) + 1);
    // What arrived before a failure is kept, as a partial file is.
    tvk::HttpGet(Whole(host), Whole(path), port, nullptr, &text, timeoutMs);
    RtString result;
    result.Assign(text.Text().data(), static_cast<uint32_t>(text.Text().size()));
    return result;
}
