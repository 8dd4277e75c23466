// The write primitives of the file channels.
#include <bit>
#include <cstdint>
#include <string>

#include "base/error_codes.h"
#include "files/channel_access.h"
#include "tarnvik/files.h"

namespace {

// Only a channel with a file behind it writes; anything else ends the program.
void WriteRaw(RtInt channel, const void* bytes, size_t count) {
    tvk::FileStream* stream = tvk::ChannelOrEnd(channel);
    if (!stream) return;
    if (!stream->HasFile() || !stream->Write(bytes, count)) tvk::EndWithError(tvk::kErrorNoSuchFile, channel, "cannot write to file channel");
}

template <typename T>
void WriteValue(RtInt channel, T value) {
    WriteRaw(channel, &value, sizeof(value));
}

}  // namespace

void WriteInt8(RtInt channel, RtInt value) { WriteValue(channel, static_cast<uint8_t>(value)); }
void WriteUInt8(RtInt channel, RtInt value) { WriteValue(channel, static_cast<uint8_t>(value)); }
void WriteInt16(RtInt channel, RtInt value) { WriteValue(channel, static_cast<uint16_t>(value)); }
void WriteUInt16(RtInt channel, RtInt value) { WriteValue(channel, static_cast<uint16_t>(value)); }
void WriteInt32(RtInt channel, RtInt value) { WriteValue(channel, static_cast<uint32_t>(value)); }
void WriteUInt32(RtInt channel, RtInt value) { WriteValue(channel, static_cast<uint32_t>(value)); }
void WriteFloat32(RtInt channel, RtNumber value) { WriteValue(channel, static_cast<float>(value)); }
void WriteFloat64(RtInt channel, RtNumber value) { WriteValue(channel, value); }

void WriteBytes(RtInt channel, const RtString& bytes) { WriteRaw(channel, bytes.c_str(), bytes.Length()); }

void WriteLine(RtInt channel, const RtString& text) {
    std::string line(text.c_str(), text.Length());
    line += "\r\n";
    WriteRaw(channel, line.data(), line.size());
}
