#include "input/input_devices.h"

#include <cstddef>

#include "platform/events.h"

namespace tvk {

InputDevices* g_input = nullptr;

void ResetInput(InputDevices* input) { *input = InputDevices{}; }

void InitInput(InputDevices* input, platform::GlWindow* window, bool exclusiveMouse) {
    input->window = window;
    input->pointerShown = !exclusiveMouse;
}

void ApplyStartupPointerMode(InputDevices* input, bool exclusiveMouse) {
    input->mouseMode = exclusiveMouse ? 5 : 6;
    input->pointerShown = !exclusiveMouse;
}

void ReapplyPointerMode(InputDevices* input) { input->mouseMode = input->pointerShown ? 6 : 5; }

void ShutdownInput(InputDevices* input) { input->liveKeys.fill(0); }

void InputHandleEvent(InputDevices* input, const platform::Event& event) {
    using platform::EventType;
    switch (event.type) {
        case EventType::KeyDown:
        case EventType::KeyUp:
            if (event.keyCode > 0 && event.keyCode < 256)
                input->liveKeys[static_cast<std::size_t>(event.keyCode)] = event.type == EventType::KeyDown ? 0x80 : 0;
            break;
        case EventType::FocusGained: input->keyboardFocus = true; break;
        case EventType::FocusLost:
            input->keyboardFocus = false;
            input->liveKeys.fill(0);  // keys released elsewhere never send their up events here
            break;
        default: break;
    }
}

void SampleKeyboard(InputDevices* input) {
    if (input && input->keyboardFocus) input->keys = input->liveKeys;
}

bool IsKeyDown(const InputDevices* input, int keyCode) {
    if (!input || keyCode < 0 || keyCode > 255) return false;
    return (input->keys[static_cast<std::size_t>(keyCode)] & 0x80) != 0;
}

}  // namespace tvk
