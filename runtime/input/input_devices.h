// InputDevices: keyboard and mouse state, kept from window-system events.
#pragma once

#include <array>
#include <cstdint>

namespace tvk {

namespace platform {
struct GlWindow;
struct Event;
}  // namespace platform

struct InputDevices {
    // Key state as the events left it, and the copy the program reads (taken by SampleKeyboard).
    std::array<uint8_t, 256> liveKeys{};
    std::array<uint8_t, 256> keys{};
    bool keyboardFocus = true;
    bool mouseSamplePending = false;
    bool pointerShown = true;
    int mouseMode = 0;  // 5 exclusive + foreground, 6 shared + foreground
    platform::GlWindow* window = nullptr;
};

extern InputDevices* g_input;

void ResetInput(InputDevices* input);
void InitInput(InputDevices* input, platform::GlWindow* window, bool exclusiveMouse);
// The pointer mode of start-up: exclusive hides the system pointer.
void ApplyStartupPointerMode(InputDevices* input, bool exclusiveMouse);
// The pointer mode again on a (possibly new) window, after a screen change.
void ReapplyPointerMode(InputDevices* input);
void ShutdownInput(InputDevices* input);
void InputHandleEvent(InputDevices* input, const platform::Event& event);
void SampleKeyboard(InputDevices* input);
bool IsKeyDown(const InputDevices* input, int keyCode);

}  // namespace tvk
