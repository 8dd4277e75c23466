#include "input/joystick.h"

#include <algorithm>
#include <cmath>

#include "input/input_devices.h"
#include "input/joystick_wait_check.h"
#include "platform/joysticks.h"
#include "tarnvik/input.h"

namespace tvk {
namespace {

constexpr size_t kMaxNameLength = 521;

double Axis(int32_t value) { return std::clamp(value / 32767.0, -1.0, 1.0); }

JoystickState Poll(RtInt index) {
    JoystickState state;
    PollJoystick(index, state);
    return state;
}

}  // namespace

void OpenJoystickDevices(InputDevices* input) {
    std::array<std::string, platform::kMaxJoysticks> names;
    input->joystickCount = platform::OpenJoysticks(names);
    for (size_t i = 0; i < names.size(); ++i) input->joystickNames[i] = names[i].substr(0, kMaxNameLength);
}

void CloseJoystickDevices(InputDevices* input) {
    platform::CloseJoysticks();
    input->joystickCount = 0;
    for (std::string& name : input->joystickNames) name.clear();
}

void PollJoystick(int index, JoystickState& state) {
    state = JoystickState{};
    platform::JoystickReading reading;
    if (!platform::ReadJoystick(index, reading)) return;
    state.x = reading.axes[0];
    state.y = reading.axes[1];
    state.z = reading.axes[2];
    state.rx = reading.axes[3];
    state.ry = reading.axes[4];
    state.rz = reading.axes[5];
    state.pov[0] = reading.hat;
    std::copy(reading.buttons.begin(), reading.buttons.end(), state.buttons);
}

int HatX(uint32_t pov) {
    if (pov == 4500 || pov == 9000 || pov == 13500) return 1;
    if (pov == 22500 || pov == 27000 || pov == 31500) return -1;
    return 0;
}

int HatY(uint32_t pov) {
    if (pov == 0 || pov == 4500 || pov == 31500) return -1;
    if (pov == 13500 || pov == 18000 || pov == 22500) return 1;
    return 0;
}

bool SampleJoystickForWait(InputDevices*, int index, JoystickWaitReading& reading) {
    JoystickState state;
    PollJoystick(index, state);
    for (size_t b = 0; b < reading.buttons.size(); ++b) reading.buttons[b] = state.buttons[b] != 0;
    reading.x = state.x;
    reading.y = state.y;
    reading.z = state.z;
    reading.pov = static_cast<int32_t>(state.pov[0]);
    return true;
}

}  // namespace tvk

using tvk::Axis;
using tvk::Poll;

RtInt CountJoysticks() { return tvk::g_input ? tvk::g_input->joystickCount : 0; }

RtString GetJoystickName(RtInt index) {
    if (!tvk::g_input || index < 0 || index >= tvk::g_input->joystickCount) return RtString();
    return RtString(tvk::g_input->joystickNames[static_cast<size_t>(index)].c_str());
}

RtNumber GetJoystickX(RtInt index) { return Axis(Poll(index).x); }
RtNumber GetJoystickY(RtInt index) { return Axis(Poll(index).y); }
RtNumber GetJoystickZ(RtInt index) { return Axis(Poll(index).z); }
RtNumber GetJoystickRX(RtInt index) { return Axis(Poll(index).rx); }
RtNumber GetJoystickRY(RtInt index) { return Axis(Poll(index).ry); }
RtNumber GetJoystickRZ(RtInt index) { return Axis(Poll(index).rz); }
RtNumber GetJoystickHatX(RtInt index) { return tvk::HatX(Poll(index).pov[0]); }
RtNumber GetJoystickHatY(RtInt index) { return tvk::HatY(Poll(index).pov[0]); }

RtInt GetJoystickButton(RtInt index, RtInt button) {
    if (button < 0 || button > 31) return 0;
    return Poll(index).buttons[button];
}

void GetJoystickState(RtInt& x, RtInt& y, RtInt& button1, RtInt& button2) {
    tvk::JoystickState state = Poll(0);
    x = state.x / 30000;  // -1, 0 or +1 with a dead band of +-29999
    y = state.y / 30000;
    button1 = state.buttons[0];
    button2 = state.buttons[1];
}

void GetJoystickState(RtNumber& x, RtNumber& y, RtNumber& button1, RtNumber& button2) {
    RtInt ix = 0, iy = 0, b1 = 0, b2 = 0;
    GetJoystickState(ix, iy, b1, b2);
    x = ix;
    y = iy;
    button1 = b1;
    button2 = b2;
}

void PlayJoystickForce(RtInt index, RtInt durationMs, RtNumber forceX, RtNumber forceY) {
    if (std::isnan(forceX)) forceX = 0;
    if (std::isnan(forceY)) forceY = 0;
    forceX = std::clamp(forceX, -1.0, 1.0);
    forceY = std::clamp(forceY, -1.0, 1.0);
    auto magnitude = static_cast<int32_t>((forceX * forceX + forceY * forceY) * 10000 * 0.5);
    tvk::platform::PlayConstantForce(index, durationMs, static_cast<int32_t>(forceX * 32767),
                                     static_cast<int32_t>(forceY * 32767), magnitude);
}
