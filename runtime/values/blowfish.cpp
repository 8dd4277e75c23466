#include "values/blowfish.h"

#include <cstring>
#include <utility>

namespace tvk {

namespace {

uint32_t LoadLittleEndian(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

void StoreLittleEndian(uint32_t word, uint8_t* bytes) {
    bytes[0] = uint8_t(word);
    bytes[1] = uint8_t(word >> 8);
    bytes[2] = uint8_t(word >> 16);
    bytes[3] = uint8_t(word >> 24);
}

}  // namespace

Blowfish::Blowfish(const uint8_t* key, size_t keyLength) {
    std::memcpy(p_, kBlowfishInitialP, sizeof(p_));
    std::memcpy(s_, kBlowfishInitialS, sizeof(s_));
    if (keyLength > 0) {
        size_t at = 0;
        for (uint32_t& p : p_) {
            uint32_t word = 0;
            for (int n = 0; n < 4; ++n) {
                word = word << 8 | key[at];
                at = (at + 1) % keyLength;
            }
            p ^= word;
        }
    }
    uint32_t left = 0, right = 0;
    for (int i = 0; i < kBlowfishRounds + 2; i += 2) {
        Encipher(left, right);
        p_[i] = left;
        p_[i + 1] = right;
    }
    for (auto& box : s_) {
        for (int i = 0; i < 256; i += 2) {
            Encipher(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
}

uint32_t Blowfish::F(uint32_t x) const {
    return ((s_[0][x >> 24] + s_[1][(x >> 16) & 0xFF]) ^ s_[2][(x >> 8) & 0xFF]) + s_[3][x & 0xFF];
}

void Blowfish::Encipher(uint32_t& left, uint32_t& right) const {
    uint32_t l = left, r = right;
    for (int i = 0; i < kBlowfishRounds; ++i) {
        l ^= p_[i];
        r ^= F(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    r ^= p_[kBlowfishRounds];
    l ^= p_[kBlowfishRounds + 1];
    left = l;
    right = r;
}

void Blowfish::Decipher(uint32_t& left, uint32_t& right) const {
    uint32_t l = left, r = right;
    for (int i = kBlowfishRounds + 1; i > 1; --i) {
        l ^= p_[i];
        r ^= F(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    r ^= p_[1];
    l ^= p_[0];
    left = l;
    right = r;
}

void Blowfish::EncipherBlocks(uint8_t* data, size_t count) const { TransformBlocks(data, count, &Blowfish::Encipher); }

void Blowfish::DecipherBlocks(uint8_t* data, size_t count) const { TransformBlocks(data, count, &Blowfish::Decipher); }

void Blowfish::TransformBlocks(uint8_t* data, size_t count, BlockFunction transform) const {
    for (size_t at = 0; at + 8 <= count; at += 8) {
        uint32_t left = LoadLittleEndian(data + at), right = LoadLittleEndian(data + at + 4);
        (this->*transform)(left, right);
        StoreLittleEndian(left, data + at);
        StoreLittleEndian(right, data + at + 4);
    }
}

}  // namespace tvk
