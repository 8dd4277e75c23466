// The ISAAC-32 generator: 256 memory words, 256 result words, accumulators a, b, c.
#pragma once

#include <cstdint>

namespace tvk {

class Isaac32 {
public:
    static constexpr int kSize = 256;

    // Clears everything, fills the memory from the seed (without the usual four scrambling
    // rounds, the seed added to the first mixing word of every group of eight), then runs
    // one round.
    void Seed(uint32_t seed);
    // One full round: 256 new result words.
    void Round();
    uint32_t Result(int index) const { return results_[index]; }

private:
    uint32_t results_[kSize] = {};
    uint32_t memory_[kSize] = {};
    uint32_t a_ = 0, b_ = 0, c_ = 0;
};

}  // namespace tvk
