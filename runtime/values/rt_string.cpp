#include "base/error_codes.h"
#include "tarnvik/rt_string.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <utility>

#include "tarnvik/core.h"
#include "values/number_text.h"

namespace {

// Every empty string points here; never freed, never written.
char g_sharedEmpty[1] = {0};

constexpr uint32_t kGrowthStep = 16;
constexpr uint32_t kWideBufferSize = 512;

[[noreturn]] void OutOfMemory() {
    std::fputs("out of memory\n", stderr);
    std::abort();
}

uint32_t CapacityFor(uint32_t count) {
    uint64_t needed = uint64_t(count) + 1;
    uint64_t capacity = (needed & ~uint64_t(kGrowthStep - 1)) + kGrowthStep;
    if (capacity > UINT32_MAX) OutOfMemory();
    return static_cast<uint32_t>(capacity);
}

bool Inside(const char* p, const char* begin, uint32_t size) {
    return p >= begin && p < begin + size;
}

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

RtString::RtString(RtInt value) : RtString() {
    Reserve(15);
    length = static_cast<uint32_t>(tvk::IntToText(value, buffer));
}

RtString::RtString(RtNumber value) : RtString() {
    Reserve(63);
    length = static_cast<uint32_t>(tvk::NumberToText(value, buffer));
}

RtString::RtString(float value) : RtString(static_cast<RtNumber>(value)) {}

RtString::RtString(const wchar_t* text) : RtString() {
    if (!text || !*text) return;
    size_t wideLength = std::wcslen(text);
    // A wide character may need several bytes in a multibyte locale.
    size_t room = wideLength * MB_CUR_MAX;
    if (room >= UINT32_MAX) OutOfMemory();
    Reserve(static_cast<uint32_t>(room), false);
    size_t produced = std::wcstombs(buffer, text, room);
    if (produced == static_cast<size_t>(-1)) {
        // Characters the locale cannot express become "?" instead of losing the whole text.
        std::mbstate_t state{};
        produced = 0;
        for (const wchar_t* w = text; *w; ++w) {
            size_t n = std::wcrtomb(buffer + produced, *w, &state);
            if (n == static_cast<size_t>(-1)) {
                state = std::mbstate_t{};
                buffer[produced++] = '?';
            } else {
                produced += n;
            }
        }
    }
    buffer[produced] = 0;
    length = static_cast<uint32_t>(produced);
}

RtString::~RtString() { Release(); }

RtString& RtString::operator=(const RtString& other) {
    Assign(other);
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
    Assign(text);
    return *this;
}

void RtString::Reserve(uint32_t count, bool keep) {
    if (!TryReserve(count, keep)) OutOfMemory();
}

bool RtString::TryReserve(uint32_t count, bool keep) {
    if (count == 0 || capacity >= uint64_t(count) + 1) return true;
    if (uint64_t(count) + kGrowthStep >= UINT32_MAX) return false;
    uint32_t newCapacity = CapacityFor(count);
    char* grown;
    if (keep && length) {
        // Only an owned buffer has text. realloc can often grow it in place, which keeps
        // byte-by-byte appending from copying the whole text every sixteen bytes.
        grown = static_cast<char*>(std::realloc(buffer, newCapacity));
        if (!grown) return false;
        grown[length] = 0;
    } else {
        grown = static_cast<char*>(std::malloc(newCapacity));
        if (!grown) return false;
        // Dropping the text also drops its length, so the string stays well formed.
        grown[0] = 0;
        length = 0;
        if (capacity) std::free(buffer);
    }
    buffer = grown;
    capacity = newCapacity;
    return true;
}

void RtString::Assign(const RtString& other) {
    if (this != &other) Assign(other.buffer, other.length);
}

void RtString::Assign(const char* text) {
    Assign(text ? text : "", text ? static_cast<uint32_t>(std::strlen(text)) : 0);
}

void RtString::Assign(const char* text, uint32_t count) {
    if (text == buffer && count == length) return;
    if (count == 0) {
        if (capacity) buffer[0] = 0;
        length = 0;
        return;
    }
    if (capacity < uint64_t(count) + 1) {
        // A source inside our own buffer is never longer than our text, so it fits
        // without growing; only an outside source gets here.
        Reserve(count, false);
    }
    std::memmove(buffer, text, count);
    buffer[count] = 0;
    length = count;
}

void RtString::Append(const char* text, uint32_t count) {
    if (!text || count == 0) return;
    uint64_t total = uint64_t(length) + count;
    // A text too long to hold is an error of the program, not the end of the process.
    if (total >= UINT32_MAX) {
        SetErrorCode(tvk::kErrorOutOfMemory);
        return;
    }
    if (capacity < total + 1) {
        if (Inside(text, buffer, capacity)) {
            // Appending part of ourselves: keep the old buffer alive until the copy is done.
            RtString grown;
            if (!grown.TryReserve(static_cast<uint32_t>(total), false)) {
                SetErrorCode(tvk::kErrorOutOfMemory);
                return;
            }
            std::memcpy(grown.buffer, buffer, length);
            std::memcpy(grown.buffer + length, text, count);
            grown.length = static_cast<uint32_t>(total);
            grown.buffer[total] = 0;
            *this = std::move(grown);
            return;
        }
        if (!TryReserve(static_cast<uint32_t>(total), true)) {
            SetErrorCode(tvk::kErrorOutOfMemory);
            return;
        }
    }
    std::memmove(buffer + length, text, count);
    length = static_cast<uint32_t>(total);
    buffer[length] = 0;
}

RtString& RtString::operator+=(const char* text) {
    if (text) Append(text, static_cast<uint32_t>(std::strlen(text)));
    return *this;
}

RtString& RtString::operator+=(const RtString& other) {
    Append(other.buffer, other.length);
    return *this;
}

RtString& RtString::operator+=(RtInt value) {
    char text[tvk::kNumberTextSize];
    Append(text, static_cast<uint32_t>(tvk::IntToText(value, text)));
    return *this;
}

RtString& RtString::operator+=(float value) { return *this += static_cast<RtNumber>(value); }

RtString& RtString::operator+=(RtNumber value) {
    char text[tvk::kNumberTextSize];
    Append(text, static_cast<uint32_t>(tvk::NumberToText(value, text)));
    return *this;
}

void RtString::Truncate(RtInt newLength) {
    if (newLength >= 0 && static_cast<uint32_t>(newLength) < length) {
        buffer[newLength] = 0;
        length = static_cast<uint32_t>(newLength);
    }
}

char* RtString::RawBuffer(uint32_t size) {
    Reserve(size, true);
    if (!capacity) {
        // Reserve(0) leaves the shared buffer, which must never be written: give a real one.
        Reserve(1, true);
    }
    return buffer;
}

void RtString::RecountLength() {
    if (!capacity) {
        length = 0;
        return;
    }
    uint32_t n = 0;
    while (n < capacity && buffer[n]) ++n;
    if (n == capacity) {
        buffer[capacity - 1] = 0;
        n = capacity - 1;
    }
    length = n;
}

const wchar_t* RtString::ToWide() const {
    static wchar_t wide[kWideBufferSize];
    // Longer text is cut to what fits; the buffer always ends with a terminator.
    size_t n = std::mbstowcs(wide, buffer, kWideBufferSize - 1);
    if (n == static_cast<size_t>(-1)) {
        // Bytes the locale cannot decode are taken as code points 0..255.
        for (n = 0; n < kWideBufferSize - 1 && n < length; ++n)
            wide[n] = static_cast<unsigned char>(buffer[n]);
    }
    wide[n] = 0;
    return wide;
}

void RtString::Release() {
    if (capacity && buffer) std::free(buffer);
    buffer = g_sharedEmpty;
    capacity = 0;
    length = 0;
}
