#include "net/session_wire.h"

#include <algorithm>

namespace tvk {

namespace {

void PutU16(std::string& out, uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

uint16_t GetU16(const char* bytes) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[0]) | static_cast<uint8_t>(bytes[1]) << 8);
}

constexpr size_t kJoinIdOffset = 4;
constexpr size_t kJoinHiddenOffset = 6;
constexpr size_t kJoinNameOffset = 8;

}  // namespace

std::string EncodeMessage(const SessionMessage& message) {
    size_t length = std::min(message.payload.size(), kMaxSessionPayload);
    std::string out;
    out.reserve(kSessionHeaderSize + length);
    out.push_back(static_cast<char>(message.type));
    PutU16(out, static_cast<uint16_t>(length));
    PutU16(out, static_cast<uint16_t>(message.target));
    PutU16(out, static_cast<uint16_t>(message.source));
    out.append(message.payload, 0, length);
    return out;
}

void SessionMessageReader::Feed(const char* bytes, size_t count) {
    if (broken_) return;
    if (start_ > 0 && start_ >= buffer_.size() / 2) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    buffer_.append(bytes, count);
}

bool SessionMessageReader::Next(SessionMessage& message) {
    if (broken_ || Pending() < kSessionHeaderSize) return false;
    const char* header = buffer_.data() + start_;
    size_t length = GetU16(header + 1);
    if (length > kMaxSessionPayload) {
        broken_ = true;
        buffer_.clear();
        start_ = 0;
        return false;
    }
    if (Pending() < kSessionHeaderSize + length) return false;
    message.type = static_cast<uint8_t>(header[0]);
    message.target = static_cast<int16_t>(GetU16(header + 3));
    message.source = static_cast<int16_t>(GetU16(header + 5));
    message.payload.assign(header + kSessionHeaderSize, length);
    start_ += kSessionHeaderSize + length;
    if (start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    }
    return true;
}

std::string PlayerName(const std::string& name) {
    size_t end = std::min(name.find('\0'), kPlayerNameSize - 1);
    return name.substr(0, end);
}

std::string EncodeJoinRecord(const JoinRecord& record) {
    std::string out(kJoinPayloadSize, '\0');
    out[kJoinIdOffset] = static_cast<char>(record.id & 0xFF);
    out[kJoinIdOffset + 1] = static_cast<char>(record.id >> 8);
    out[kJoinHiddenOffset] = record.hidden ? 1 : 0;
    std::string name = PlayerName(record.name);
    out.replace(kJoinNameOffset, name.size(), name);
    return out;
}

JoinRecord DecodeJoinRecord(const std::string& payload) {
    std::string record = payload.substr(0, kJoinPayloadSize);
    record.resize(kJoinPayloadSize, '\0');
    JoinRecord decoded;
    decoded.id = GetU16(record.data() + kJoinIdOffset);
    decoded.hidden = record[kJoinHiddenOffset] != 0;
    decoded.name = PlayerName(record.substr(kJoinNameOffset, kPlayerNameSize));
    return decoded;
}

uint16_t ReadPayloadU16(const std::string& payload) {
    char bytes[2] = {0, 0};
    payload.copy(bytes, 2);
    return GetU16(bytes);
}

std::string PayloadU16(uint16_t value) {
    std::string out;
    PutU16(out, value);
    return out;
}

}  // namespace tvk
