// The input object's life and what the window system's events do to it.
#include "input/input_devices.h"

#include <cstddef>

#include "input/joystick.h"
#include "platform/events.h"
#include "platform/mouse.h"
#include "platform/system.h"
#include "tarnvik/core.h"

namespace tvk {

InputDevices* g_input = nullptr;

namespace {

void ClearHeldInput(InputDevices* input) {
    input->liveKeys.fill(0);
    input->tapHeldThrough.fill(0);
    input->charPending.fill(false);
    input->live.buttons.fill(false);
}

void OnKey(InputDevices* input, const platform::Event& event) {
    if (!input->keyboardFocus) return;
    bool down = event.type == platform::EventType::KeyDown;
    if (event.keyCode <= 0 || event.keyCode > 255) {
        if (down) input->lastPressedKey = 0;  // its text belongs to no key of ours
        return;
    }
    auto code = static_cast<std::size_t>(event.keyCode);
    if (down) {
        input->liveKeys[code] = 0x80;
        input->tapHeldThrough[code] = input->keyboardFrame + 1;
        input->charPending[code] = true;
        input->keyChars[code] = static_cast<uint8_t>(event.keyChar);
        input->keyCharTyped[code] = false;
        input->lastPressedKey = event.keyCode;
    } else {
        input->liveKeys[code] = 0;
        input->releasedAtMs[code] = platform::MonotonicMs();
    }
}

// The window system's text for a key press carries Shift and AltGr; it replaces the
// key's unshifted character while that key is still down.
void OnText(InputDevices* input, const platform::Event& event) {
    auto code = static_cast<std::size_t>(input->lastPressedKey);
    if (!input->keyboardFocus || event.keyChar == 0 || code == 0 || input->liveKeys[code] == 0) return;
    input->keyChars[code] = static_cast<uint8_t>(event.keyChar);
    input->keyCharTyped[code] = true;
}

void OnButton(InputDevices* input, const platform::Event& event) {
    int index = event.button == 1 ? 0 : event.button == 3 ? 1 : event.button == 2 ? 2 : -1;
    if (index >= 0)
        input->live.buttons[static_cast<std::size_t>(index)] = event.type == platform::EventType::MouseButtonDown;
}

// Shown: the system pointer is visible and the position follows it. Hidden: relative mode,
// motion accumulates into the stored position.
void ApplyPointerMode(InputDevices* input, bool shown, bool bringBackPointer) {
    input->mouseMode = shown ? 6 : 5;
    platform::SetRelativePointerMode(!shown);
    if (shown && !input->pointerShown && bringBackPointer) {
        // The system pointer comes back where the program's pointer was.
        platform::WarpPointer(input->window, input->pointerX, input->pointerY);
        input->live.x = input->pointerX;
        input->live.y = input->pointerY;
    }
    platform::ShowPointer(shown);
    input->live.dx = input->live.dy = 0;
    input->pointerShown = shown;
}

}  // namespace

void ResetInput(InputDevices* input) { *input = InputDevices{}; }

int InitInput(InputDevices* input, platform::GlWindow* window, bool exclusiveMouse) {
    int status = 1;
    input->inputAvailable = platform::InputAvailable();
    if (!input->inputAvailable) {
        WriteErrorLog("No DX_Input");
        status = 0;
    }
    input->window = window;
    platform::PointerPosition(window, input->pointerX, input->pointerY);
    input->live.x = input->pointerX;
    input->live.y = input->pointerY;
    input->keys.fill(0);
    input->pointerShown = false;
    if (exclusiveMouse) {
        input->mouseMode = 5;
        if (input->inputAvailable && !platform::SetRelativePointerMode(true)) {
            WriteErrorLog("can't aquire mouse - first try");
            WriteErrorLog("No DX_Mouse");
            status = 0;
        }
    }
    OpenJoystickDevices(input);
    return status;
}

void ApplyStartupPointerMode(InputDevices* input, bool exclusiveMouse) {
    // The stored position was read from the system pointer a moment ago: nothing to move.
    ApplyPointerMode(input, !exclusiveMouse, false);
}

void ReapplyPointerMode(InputDevices* input) { ApplyPointerMode(input, input->pointerShown, false); }

void SetPointerShown(InputDevices* input, bool shown) { ApplyPointerMode(input, shown, true); }

void ShutdownInput(InputDevices* input) {
    SetPointerShown(input, true);
    ClearHeldInput(input);
    CloseJoystickDevices(input);
}

void InputHandleEvent(InputDevices* input, const platform::Event& event) {
    using platform::EventType;
    switch (event.type) {
        case EventType::KeyDown:
        case EventType::KeyUp: OnKey(input, event); break;
        case EventType::TextInput: OnText(input, event); break;
        case EventType::MouseMotion:
            input->live.x = event.x;
            input->live.y = event.y;
            input->live.dx += event.dx;
            input->live.dy += event.dy;
            break;
        case EventType::MouseButtonDown:
        case EventType::MouseButtonUp: OnButton(input, event); break;
        case EventType::MouseWheel: input->live.wheel += event.dy; break;
        case EventType::FocusGained: input->keyboardFocus = true; break;
        case EventType::FocusLost:
            input->keyboardFocus = false;
            ClearHeldInput(input);  // what is released elsewhere never sends its up events here
            break;
        default: break;
    }
}

}  // namespace tvk
