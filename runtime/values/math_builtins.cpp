// Math builtins; angles are in degrees.
#include <algorithm>
#include <cmath>

#include "tarnvik/values.h"

namespace {
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;
}  // namespace

RtNumber SinDeg(RtNumber x) { return std::sin(x * kRadiansPerDegree); }
RtNumber CosDeg(RtNumber x) { return std::cos(x * kRadiansPerDegree); }
RtNumber TanDeg(RtNumber x) { return std::tan(x * kRadiansPerDegree); }
RtNumber ATan2Deg(RtNumber y, RtNumber x) { return std::atan2(y, x) * kDegreesPerRadian; }

RtNumber ASinDeg(RtNumber x) {
    if (x >= 1) return 90;
    if (x <= -1) return -90;
    return std::asin(x) * kDegreesPerRadian;
}

RtNumber ACosDeg(RtNumber x) {
    if (x >= 1) return 0;
    if (x <= -1) return 180;
    return std::acos(x) * kDegreesPerRadian;
}

RtNumber SquareRoot(RtNumber x) { return std::sqrt(x); }
RtNumber Power(RtNumber x, RtNumber y) { return std::pow(x, y); }

RtNumber NumberMod(RtNumber x, RtNumber y) { return y == 0 ? 0 : std::fmod(x, y); }

RtInt IntMod(RtInt a, RtInt b) {
    // -2147483648 mod -1 traps in hardware; its remainder is 0 anyway.
    if (b == 0 || b == -1) return 0;
    return a % b;
}

RtNumber AbsNumber(RtNumber x) { return std::fabs(x); }

RtInt AbsInt(RtInt n) {
    // Through unsigned arithmetic: the smallest integer stays itself instead of overflowing.
    uint32_t magnitude = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
    return static_cast<RtInt>(magnitude);
}

RtInt RectanglesOverlap(RtInt x1, RtInt y1, RtInt w1, RtInt h1, RtInt x2, RtInt y2, RtInt w2, RtInt h2) {
    struct Span {
        int64_t first, last;
    };
    // A span covers pos .. pos + size - 1, or pos + size + 1 .. pos for a negative size.
    auto span = [](int64_t pos, int64_t size) -> Span {
        if (size > 0) return {pos, pos + size - 1};
        if (size < 0) return {pos + size + 1, pos};
        return {pos, pos};
    };
    auto overlap = [](Span a, Span b) { return std::min(a.last, b.last) >= std::max(a.first, b.first); };
    return overlap(span(x1, w1), span(x2, w2)) && overlap(span(y1, h1), span(y2, h2)) ? 1 : 0;
}
