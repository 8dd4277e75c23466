// The session's messages on the wire: a 7-byte header (type, payload length, target, source;
// little-endian) and at most 1024 payload bytes. Everything decoded here comes from a peer, so
// lengths are checked before use and short payloads read as if padded with zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tvk {

inline constexpr size_t kSessionHeaderSize = 7;
inline constexpr size_t kMaxSessionPayload = 1024;
inline constexpr size_t kJoinPayloadSize = 148;
inline constexpr size_t kPlayerNameSize = 128;  // with its terminating zero
inline constexpr int kDefaultSessionPort = 27910;

// Player ids at or above kIdNone are marks, never ids the host hands out.
inline constexpr uint16_t kIdNone = 0xFF00;
inline constexpr uint16_t kIdJoinSent = 0xFFFC;
inline constexpr uint16_t kIdRegistered = 0xFFFE;
inline constexpr uint16_t kFirstPlayerId = 101;

enum SessionMessageType : uint8_t {
    kJoinRequest = 1,
    kJoinAccepted = 2,
    kDataMessage = 3,
    kPlayerLeaves = 4,
    kCountRequest = 101,
    kIdRequest = 102,
    kNameRequest = 103,
    kPresenceRequest = 104,
};
inline constexpr int16_t kTargetHost = 0;
inline constexpr int16_t kTargetEveryone = -1;

struct SessionMessage {
    uint8_t type = 0;
    int16_t target = 0;
    int16_t source = 0;
    std::string payload;
};

// Header and payload; payloads longer than 1024 bytes are cut to 1024.
std::string EncodeMessage(const SessionMessage& message);

// Splits a connection's byte stream into messages. A header announcing more than 1024 payload
// bytes breaks the stream for good: nothing after it can be trusted to be framed right.
class SessionMessageReader {
public:
    void Feed(const char* bytes, size_t count);
    // The next complete message, if any.
    bool Next(SessionMessage& message);
    bool Broken() const { return broken_; }
    // Bytes held back waiting for the rest of a message (less than one largest message).
    size_t Pending() const { return buffer_.size() - start_; }

private:
    std::string buffer_;
    size_t start_ = 0;
    bool broken_ = false;
};

// A join request's record: int32 (unused), uint16 id at 4, hidden flag at 6, name at 8.
struct JoinRecord {
    uint16_t id = 0;
    bool hidden = false;
    std::string name;  // at most 127 characters, no zero byte
};
std::string EncodeJoinRecord(const JoinRecord& record);
JoinRecord DecodeJoinRecord(const std::string& payload);
// A name as a record holds it: cut at a zero byte and to 127 characters.
std::string PlayerName(const std::string& name);

// The uint16 at the start of a payload (missing bytes count as zero).
uint16_t ReadPayloadU16(const std::string& payload);
std::string PayloadU16(uint16_t value);

}  // namespace tvk
