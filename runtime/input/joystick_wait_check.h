// How the wait commands notice joystick input. The joystick code supplies the readings
// through SampleJoystickForWait; the decision what counts as input lives here.
#pragma once

#include <array>
#include <cstdint>

namespace tvk {

struct InputDevices;

struct JoystickWaitReading {
    std::array<bool, 32> buttons{};
    int32_t x = 0, y = 0, z = 0;  // -32768 .. 32767
    int32_t pov = -1;             // hundredths of a degree; -1 centred
};

// Reads joystick `index` (0 .. joystickCount - 1) for the wait commands. False when it cannot
// be read.
bool SampleJoystickForWait(InputDevices* input, int index, JoystickWaitReading& reading);

// A button down, an axis beyond a tenth of its range, or the hat pushed in any direction.
bool JoystickReadingShowsInput(const JoystickWaitReading& reading);
// Asks every joystick, from the last to the first.
bool AnyJoystickShowsInput(InputDevices* input);

}  // namespace tvk
