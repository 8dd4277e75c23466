// Joysticks as the commands see them: every command polls the device when it is called.
#pragma once

#include <cstdint>

namespace tvk {

struct InputDevices;

// The record a poll fills, laid out as the 80-byte joystick state programs know.
struct JoystickState {
    int32_t x = 0, y = 0, z = 0;     // main axes, -32768..32767
    int32_t rx = 0, ry = 0, rz = 0;  // rotation axes
    int32_t sliders[2] = {0, 0};     // not read by any command
    uint32_t pov[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};  // hat 0: hundredths of a degree
    uint8_t buttons[32] = {};        // non-zero = down
};
static_assert(sizeof(JoystickState) == 80);

// Opens the attached devices (at most 10) into the input object: count and names.
void OpenJoystickDevices(InputDevices* input);
void CloseJoystickDevices(InputDevices* input);
// A missing, unplugged or out-of-range joystick reads centred with nothing pressed.
void PollJoystick(int index, JoystickState& state);

// The hat directions: +1 right / down, -1 left / up, 0 centred or anything else.
int HatX(uint32_t pov);
int HatY(uint32_t pov);

}  // namespace tvk
