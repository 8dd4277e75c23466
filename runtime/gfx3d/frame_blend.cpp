#include "gfx3d/frame_blend.h"

#include <algorithm>
#include <cmath>

namespace tvk {
namespace {

// A frame number inside the object, truncated toward zero; infinities clamp like large numbers.
int32_t ClampFrame(double frame, int32_t frameCount) {
    const double last = std::max(frameCount - 1, 0);
    return static_cast<int32_t>(std::clamp(std::trunc(frame), 0.0, last));
}

}  // namespace

FrameBlend ChooseFrames(int32_t frameCount, double a, double b, double w, bool animate) {
    FrameBlend blend;
    if (frameCount <= 0 || std::isnan(a) || std::isnan(b) || std::isnan(w)) return blend;
    if (!animate) {
        blend.first = ClampFrame(a, frameCount);
        blend.second = ClampFrame(b, frameCount);
        blend.weight = static_cast<float>(std::clamp(w, 0.0, 1.0));
    } else if (a == b) {
        blend.first = blend.second = ClampFrame(a, frameCount);
    } else {
        const double t = (w < 0 || w > 1) ? std::fabs(std::fmod(w, 1.0)) : w;
        const double position = a + (b - a) * t;
        if (std::isnan(position)) return blend;  // from one infinity to the other
        const double whole = std::trunc(position);
        blend.first = ClampFrame(whole, frameCount);
        blend.second = ClampFrame(whole + 1, frameCount);
        blend.weight = std::isinf(position) ? 0.0f : static_cast<float>(position - whole);
    }
    if (blend.weight == 1.0f) blend.first = blend.second;
    if (blend.weight == 0 || blend.first == blend.second) {
        blend.second = blend.first;
        blend.weight = 0;
    }
    return blend;
}

}  // namespace tvk
