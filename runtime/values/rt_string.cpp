#include "tarnvik/rt_string.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace {
// Every empty string points here; never freed, never written.
char g_sharedEmpty[1] = {0};
}  // namespace

RtString::RtString() : buffer(g_sharedEmpty), capacity(0), length(0) {}

RtString::RtString(const char* text) : RtString() {
    if (text) Assign(text, static_cast<uint32_t>(std::strlen(text)));
}

RtString::RtString(const RtString& other) : RtString() { Assign(other.buffer, other.length); }

RtString::RtString(RtString&& other) noexcept : buffer(other.buffer), capacity(other.capacity), length(other.length) {
    other.buffer = g_sharedEmpty;
    other.capacity = 0;
    other.length = 0;
}

RtString::~RtString() { Release(); }

RtString& RtString::operator=(const RtString& other) {
    if (this != &other) Assign(other.buffer, other.length);
    return *this;
}

RtString& RtString::operator=(RtString&& other) noexcept {
    if (this != &other) {
        Release();
        std::swap(buffer, other.buffer);
        std::swap(capacity, other.capacity);
        std::swap(length, other.length);
    }
    return *this;
}

RtString& RtString::operator=(const char* text) {
    Assign(text ? text : "", text ? static_cast<uint32_t>(std::strlen(text)) : 0);
    return *this;
}

void RtString::Reserve(uint32_t count, bool keep) {
    if (count < capacity) return;
    uint32_t newCapacity = count + 1;
    char* grown = static_cast<char*>(std::malloc(newCapacity));
    if (!grown) std::abort();
    if (keep && length) std::memcpy(grown, buffer, length);
    grown[keep ? length : 0] = 0;
    if (!keep) length = 0;
    if (capacity) std::free(buffer);
    buffer = grown;
    capacity = newCapacity;
}

void RtString::Assign(const char* text, uint32_t count) {
    if (text == buffer && count == length) return;
    if (count == 0) {
        if (capacity) buffer[0] = 0;
        length = 0;
        return;
    }
    Reserve(count, false);
    std::memmove(buffer, text, count);
    buffer[count] = 0;
    length = count;
}

RtString& RtString::operator+=(const char* text) {
    if (!text || !*text) return *this;
    uint32_t add = static_cast<uint32_t>(std::strlen(text));
    Reserve(length + add, true);
    std::memcpy(buffer + length, text, add);
    length += add;
    buffer[length] = 0;
    return *this;
}

RtString& RtString::operator+=(const RtString& other) {
    if (other.length == 0) return *this;
    RtString copy(other);  // other may be *this
    return *this += copy.buffer;
}

void RtString::Release() {
    if (capacity && buffer) std::free(buffer);
    buffer = g_sharedEmpty;
    capacity = 0;
    length = 0;
}
