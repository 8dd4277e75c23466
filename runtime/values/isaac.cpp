#include "values/isaac.h"

#include <cstring>

namespace tvk {
namespace {

// The eight-word mixing step of the ISAAC initialisation.
void Mix(uint32_t w[8]) {
    w[0] ^= w[1] << 11; w[3] += w[0]; w[1] += w[2];
    w[1] ^= w[2] >> 2;  w[4] += w[1]; w[2] += w[3];
    w[2] ^= w[3] << 8;  w[5] += w[2]; w[3] += w[4];
    w[3] ^= w[4] >> 16; w[6] += w[3]; w[4] += w[5];
    w[4] ^= w[5] << 10; w[7] += w[4]; w[5] += w[6];
    w[5] ^= w[6] >> 4;  w[0] += w[5]; w[6] += w[7];
    w[6] ^= w[7] << 8;  w[1] += w[6]; w[7] += w[0];
    w[7] ^= w[0] >> 9;  w[2] += w[7]; w[0] += w[1];
}

}  // namespace

void Isaac32::Seed(uint32_t seed) {
    std::memset(results_, 0, sizeof(results_));
    std::memset(memory_, 0, sizeof(memory_));
    a_ = b_ = c_ = 0;
    uint32_t w[8];
    for (uint32_t& word : w) word = 0x9e3779b9u;  // the golden ratio
    for (int i = 0; i < kSize; i += 8) {
        w[0] += seed;
        for (int k = 1; k < 8; ++k) w[k] += results_[i + k];  // all zero: the seed is the whole input
        Mix(w);
        std::memcpy(memory_ + i, w, sizeof(w));
    }
    for (int i = 0; i < kSize; i += 8) {
        for (int k = 0; k < 8; ++k) w[k] += memory_[i + k];
        Mix(w);
        std::memcpy(memory_ + i, w, sizeof(w));
    }
    Round();
}

void Isaac32::Round() {
    uint32_t a = a_;
    uint32_t b = b_ + ++c_;
    for (int i = 0; i < kSize; ++i) {
        switch (i & 3) {
            case 0: a ^= a << 13; break;
            case 1: a ^= a >> 6; break;
            case 2: a ^= a << 2; break;
            default: a ^= a >> 16; break;
        }
        uint32_t x = memory_[i];
        a += memory_[(i + kSize / 2) & (kSize - 1)];
        uint32_t y = memory_[(x >> 2) & (kSize - 1)] + a + b;
        memory_[i] = y;
        b = memory_[(y >> 10) & (kSize - 1)] + x;
        results_[i] = b;
    }
    a_ = a;
    b_ = b;
}

}  // namespace tvk
