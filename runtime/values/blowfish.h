// Blowfish block cipher on two 32-bit halves (16 rounds, standard key schedule).
#pragma once

#include <cstddef>
#include <cstdint>

#include "values/blowfish_tables.h"

namespace tvk {

class Blowfish {
public:
    // Key bytes are taken cyclically; an empty key leaves the key-independent schedule (the
    // initial tables run through the same block encipherments without any key XORed in).
    Blowfish(const uint8_t* key, size_t keyLength);

    void Encipher(uint32_t& left, uint32_t& right) const;
    void Decipher(uint32_t& left, uint32_t& right) const;

    // 8-byte blocks in place; each half is a little-endian word. count must be a multiple of 8.
    void EncipherBlocks(uint8_t* data, size_t count) const;
    void DecipherBlocks(uint8_t* data, size_t count) const;

private:
    using BlockFunction = void (Blowfish::*)(uint32_t&, uint32_t&) const;
    void TransformBlocks(uint8_t* data, size_t count, BlockFunction transform) const;
    uint32_t F(uint32_t x) const;

    uint32_t p_[kBlowfishRounds + 2];
    uint32_t s_[4][256];
};

}  // namespace tvk
