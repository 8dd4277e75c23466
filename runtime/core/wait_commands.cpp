// Commands that wait for the user, keeping the window answering while they do.
#include "base/frame_state.h"
#include "core/frame_loop.h"
#include "gfx2d/renderer.h"
#include "input/input_devices.h"
#include "input/joystick_wait_check.h"
#include "platform/system.h"
#include "tarnvik/core.h"
#include "tarnvik/input.h"
#include "tarnvik/key_codes.h"

namespace tvk {
namespace {

constexpr int kWaitRounds = 15;
constexpr double kRoundSleepMs = 5;

bool AnyKeyDown(const InputDevices* input) {
    for (int code = 0; code < 255; ++code)
        if (IsKeyDown(input, code)) return true;
    return false;
}

struct PointerSnapshot {
    int32_t x = 0, y = 0;
    int16_t left = 0, right = 0;
    bool operator==(const PointerSnapshot&) const = default;
};

PointerSnapshot TakeSnapshot(InputDevices* input) {
    MouseRecord record;
    SampleMouse(input, record);
    return {input->pointerX, input->pointerY, record.left, record.right};
}

}  // namespace

void WaitForInputEvent() {
    InputDevices* input = g_input;
    if (!input) {
        ServiceWindow();
        platform::SleepMs(kRoundSleepMs * kWaitRounds);
        return;
    }
    PointerSnapshot before = TakeSnapshot(input);
    for (int round = 0; round < kWaitRounds; ++round) {
        ServiceWindow();
        SampleKeyboard(input);
        input->mouseSamplePending = true;
        if (Frame().escapeEnds && (IsKeyDown(input, kKeyExtended + kKeyEscape) || IsKeyDown(input, kKeyEscape))) EndProgram();
        if (AnyKeyDown(input)) return;
        PointerSnapshot now = TakeSnapshot(input);
        if (!(now == before)) return;
        if (AnyJoystickShowsInput(input)) return;
        platform::SleepMs(kRoundSleepMs);
    }
}

}  // namespace tvk

void WaitForKey() {
    using namespace tvk;
    if (!g_input) return;
    while (HasKeyChar(g_input)) {
    }
    while (!HasKeyChar(g_input)) {
        ServiceWindow();
        WaitForInputEvent();
    }
    while (HasKeyChar(g_input)) {
    }
}

void WaitForMouseButton() {
    using namespace tvk;
    if (!g_input) return;
    // Buttons change only through the window's events, so every wait keeps pumping them.
    while (AnyMouseButton(g_input)) WaitForInputEvent();
    while (!AnyMouseButton(g_input)) WaitForInputEvent();
    while (AnyMouseButton(g_input)) WaitForInputEvent();
}
