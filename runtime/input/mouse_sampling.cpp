// Mouse samples: motion once per armed sample, buttons on every call.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "input/input_devices.h"

namespace tvk {
namespace {

int16_t SignOf(int64_t v) { return static_cast<int16_t>((v > 0) - (v < 0)); }

// Motion beyond 16 bits saturates instead of wrapping round to the opposite direction.
int16_t ClampToInt16(int64_t v) {
    return static_cast<int16_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

int32_t ClampToInt32(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void TakeMotion(InputDevices* input) {
    LivePointer& live = input->live;
    input->mouseSamplePending = false;
    int16_t dx, dy;
    if (input->pointerShown) {
        // The position follows the system pointer; the motion is how far it moved.
        dx = ClampToInt16(int64_t{live.x} - input->pointerX);
        dy = ClampToInt16(int64_t{live.y} - input->pointerY);
        input->pointerX = live.x;
        input->pointerY = live.y;
    } else {
        dx = ClampToInt16(live.dx);
        dy = ClampToInt16(live.dy);
        input->pointerX = ClampToInt32(int64_t{input->pointerX} + dx);
        input->pointerY = ClampToInt32(int64_t{input->pointerY} + dy);
    }
    input->lastDx = dx;
    input->lastDy = dy;
    input->lastWheel = SignOf(live.wheel);
    live.dx = live.dy = live.wheel = 0;
}

}  // namespace

int SampleMouse(InputDevices* input, MouseRecord& record) {
    if (input->mouseSamplePending) TakeMotion(input);
    record.dx = input->lastDx;
    record.dy = input->lastDy;
    record.wheel = input->lastWheel;
    record.left = input->live.buttons[0] ? 1 : 0;
    record.right = input->live.buttons[1] ? 1 : 0;
    record.middle = input->live.buttons[2] ? 1 : 0;
    return 1;
}

bool AnyMouseButton(InputDevices* input) {
    if (!input) return false;
    input->mouseSamplePending = true;
    MouseRecord record;
    SampleMouse(input, record);
    return record.left || record.right || record.middle;
}

}  // namespace tvk
