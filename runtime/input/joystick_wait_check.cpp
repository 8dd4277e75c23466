#include "input/joystick_wait_check.h"

#include <algorithm>
#include <cmath>

#include "input/input_devices.h"

namespace tvk {
namespace {

bool AxisDeflected(int32_t value) { return std::fabs(std::clamp(value / 32767.0, -1.0, 1.0)) > 0.1; }

bool HatPushed(int32_t pov) {
    for (int32_t direction = 0; direction < 36000; direction += 4500)
        if (pov == direction) return true;
    return false;
}

}  // namespace

bool JoystickReadingShowsInput(const JoystickWaitReading& r) {
    if (std::any_of(r.buttons.begin(), r.buttons.end(), [](bool down) { return down; })) return true;
    return AxisDeflected(r.x) || AxisDeflected(r.y) || AxisDeflected(r.z) || HatPushed(r.pov);
}

bool AnyJoystickShowsInput(InputDevices* input) {
    for (int i = input->joystickCount - 1; i >= 0; --i) {
        JoystickWaitReading reading;
        if (SampleJoystickForWait(input, i, reading) && JoystickReadingShowsInput(reading)) return true;
    }
    return false;
}

}  // namespace tvk
