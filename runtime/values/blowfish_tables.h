// The fixed starting values of every Blowfish key schedule.
#pragma once

#include <cstdint>

namespace tvk {

constexpr int kBlowfishRounds = 16;

extern const uint32_t kBlowfishInitialP[kBlowfishRounds + 2];
extern const uint32_t kBlowfishInitialS[4][256];

}  // namespace tvk
