// The read primitives of the file channels.
#include <bit>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/error_codes.h"
#include "files/channel_access.h"
#include "files/line_reader.h"
#include "tarnvik/files.h"

static_assert(std::endian::native == std::endian::little, "channel values are stored little-endian");

namespace {

// A failed read ends the program, saying whether the channel had anything open at all.
void EndOnFailedRead(RtInt channel, const tvk::FileStream& stream) {
    tvk::EndWithError(tvk::kErrorNoSuchFile, channel, stream.IsOpen() ? "read past the end of file channel" : "nothing is open on file channel");
}

// Reads a value of type T; a failed read ends the program and leaves the value 0.
template <typename T>
T ReadValue(RtInt channel) {
    T value{};
    tvk::FileStream* stream = tvk::ChannelOrEnd(channel);
    if (!stream) return value;
    if (!stream->IsOpen() || !stream->Read(&value, sizeof(value))) {
        EndOnFailedRead(channel, *stream);
        return T{};
    }
    return value;
}

std::string ReadLineText(RtInt channel) {
    std::string line;
    tvk::FileStream* stream = tvk::ChannelOrEnd(channel);
    if (stream && !tvk::ReadTextLine(*stream, line)) EndOnFailedRead(channel, *stream);
    return line;
}

}  // namespace

RtInt ReadInt8(RtInt channel) { return ReadValue<int8_t>(channel); }
RtInt ReadUInt8(RtInt channel) { return ReadValue<uint8_t>(channel); }
RtInt ReadInt16(RtInt channel) { return ReadValue<int16_t>(channel); }
RtInt ReadUInt16(RtInt channel) { return ReadValue<uint16_t>(channel); }
RtInt ReadInt32(RtInt channel) { return ReadValue<int32_t>(channel); }
RtInt ReadUInt32(RtInt channel) { return static_cast<RtInt>(ReadValue<uint32_t>(channel)); }
RtNumber ReadFloat32(RtInt channel) { return ReadValue<float>(channel); }
RtNumber ReadFloat64(RtInt channel) { return ReadValue<double>(channel); }

RtString ReadBytes(RtInt channel, RtInt count) {
    RtString result;
    tvk::FileStream* stream = tvk::ChannelOrEnd(channel);
    if (!stream || count <= 0) return result;
    // A file too short for count bytes fails anyway: end before allocating for it.
    if (!stream->IsOpen() || (stream->HasFile() && count > stream->Size() - stream->Position())) {
        EndOnFailedRead(channel, *stream);
        return result;
    }
    std::string bytes(static_cast<size_t>(count), '\0');
    if (!stream->Read(bytes.data(), bytes.size())) {
        EndOnFailedRead(channel, *stream);
        return result;
    }
    result.Assign(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return result;
}

RtString ReadLine(RtInt channel) { return RtString(ReadLineText(channel).c_str()); }

RtNumber ReadLineNumber(RtInt channel) { return std::strtod(ReadLineText(channel).c_str(), nullptr); }

RtInt ReadLineInt(RtInt channel) {
    // Like atoi, but an out-of-range number is clamped instead of being undefined.
    errno = 0;
    long long value = std::strtoll(ReadLineText(channel).c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<RtInt>(value);
}
