// EncryptText and DecryptText: Blowfish in ECB mode over zero-padded text, as hexadecimal text.
#include <cstring>
#include <memory>
#include <vector>

#include "values/blowfish.h"
#include "tarnvik/values.h"

namespace {

size_t PaddedLength(size_t n) { return (n + 7) / 8 * 8; }

std::unique_ptr<tvk::Blowfish> CipherFor(const RtString& key) {
    return std::make_unique<tvk::Blowfish>(reinterpret_cast<const uint8_t*>(key.c_str()), key.Length());
}

// A character above '9' counts as a letter digit, any other as a decimal digit.
uint8_t DigitValue(char c) { return static_cast<uint8_t>(c > '9' ? c - 'a' + 10 : c - '0'); }

}  // namespace

RtString EncryptText(const RtString& key, const RtString& text) {
    if (text.Empty()) return RtString();
    std::vector<uint8_t> data(PaddedLength(text.Length()), 0);
    std::memcpy(data.data(), text.c_str(), text.Length());
    CipherFor(key)->EncipherBlocks(data.data(), data.size());
    return HexText(data.data(), static_cast<RtInt>(data.size()), 0);
}

RtString DecryptText(const RtString& key, RtString& hex) {
    hex = LowerCase(hex);
    size_t count = hex.Length() / 2;
    if (count == 0) return RtString();
    std::vector<uint8_t> data(PaddedLength(count), 0);
    for (size_t i = 0; i < count; ++i) {
        data[i] = static_cast<uint8_t>(DigitValue(hex.c_str()[2 * i]) << 4 | (DigitValue(hex.c_str()[2 * i + 1]) & 0x0F));
    }
    CipherFor(key)->DecipherBlocks(data.data(), data.size());
    size_t length = 0;
    while (length < data.size() && data[length] != 0) ++length;
    RtString text;
    text.Assign(reinterpret_cast<const char*>(data.data()), static_cast<uint32_t>(length));
    return text;
}

RtString DecryptText(const RtString& key, const RtString& hex) {
    RtString copy = hex;
    return DecryptText(key, copy);
}
