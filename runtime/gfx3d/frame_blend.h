// Which two animation frames an object draw blends, and how far: the frame numbers and weight
// of DrawObjectBlend turned into frames inside the object and a weight in 0..1.
#pragma once

#include <cstdint>

namespace tvk {

struct FrameBlend {
    int32_t first = 0, second = 0;  // both within 0..frameCount-1
    float weight = 0;               // on `second`; 0 draws `first` alone, exactly
    bool Single() const { return weight == 0 || first == second; }
};

// animate off: frame a blended toward frame b by w. animate on: w runs the whole way from a to b
// (its fractional part when outside 0..1), landing between two neighbouring frames. Frame numbers
// are clamped to the object's frames; a NaN frame number or weight draws frame 0.
FrameBlend ChooseFrames(int32_t frameCount, double a, double b, double w, bool animate);

}  // namespace tvk
