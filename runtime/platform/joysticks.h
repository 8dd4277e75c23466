// Joysticks and game pads, with a constant-force effect where the device has one.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tvk::platform {

constexpr int kMaxJoysticks = 10;
constexpr uint32_t kHatCentred = 0xFFFFFFFFu;

// One poll of a device: axes -32768..32767 (x, y, z, rx, ry, rz), the first hat in hundredths
// of a degree clockwise from up (kHatCentred when centred), 32 buttons (non-zero = down).
struct JoystickReading {
    std::array<int32_t, 6> axes{};
    uint32_t hat = kHatCentred;
    std::array<uint8_t, 32> buttons{};
};

// Opens the attached devices, at most kMaxJoysticks, in the system's order; their names go to
// `names`. Returns how many were opened. Calling it again first closes what was open.
int OpenJoysticks(std::array<std::string, kMaxJoysticks>& names);
void CloseJoysticks();
// Polls device `index` now. False when there is none or it was unplugged.
bool ReadJoystick(int index, JoystickReading& reading);
// Plays a constant force once: direction as Cartesian x, y; magnitude 0..10000; duration in ms.
// Does nothing on a device without force feedback.
void PlayConstantForce(int index, int durationMs, int32_t directionX, int32_t directionY, int32_t magnitude);

}  // namespace tvk::platform
