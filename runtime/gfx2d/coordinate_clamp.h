// Coordinates from a program can be any 32-bit number; sums of them are taken in 64 bits and
// held to a range far beyond any screen, where float vertices are still exact.
#pragma once

#include <algorithm>
#include <cstdint>

namespace tvk {

constexpr int64_t kCoordinateLimit = int64_t(1) << 24;

constexpr float ClampedCoordinate(int64_t value) {
    return static_cast<float>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

}  // namespace tvk
