// Random numbers from one process-wide ISAAC-32 generator.
#include "tarnvik/values.h"
#include "values/isaac.h"

namespace {
tvk::Isaac32& Generator() {
    static tvk::Isaac32 generator;
    return generator;
}
}  // namespace

void SeedRandom(RtInt seed) { Generator().Seed(static_cast<uint32_t>(seed)); }

RtInt Random(RtInt n) {
    if (n <= 0) return 0;
    // Each draw is a whole round of which only the first word is used.
    Generator().Round();
    return static_cast<RtInt>(Generator().Result(0) % (static_cast<uint32_t>(n) + 1));
}
