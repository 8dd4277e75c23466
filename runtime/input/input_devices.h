// InputDevices: the process-wide keyboard and mouse state. The window system's events keep
// a live copy; the program reads what the sampling steps take from it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tvk {

namespace platform {
struct GlWindow;
struct Event;
}  // namespace platform

// What one mouse sample reports.
struct MouseRecord {
    int16_t left = 0, right = 0, middle = 0;  // non-zero = down
    int16_t dx = 0, dy = 0;                   // motion since the previous sample
    int16_t wheel = 0;                        // sign of the wheel motion: -1, 0, 1
};

// The pointer as the events left it.
struct LivePointer {
    int32_t x = 0, y = 0;         // last known system pointer position in drawing-area pixels
    int64_t dx = 0, dy = 0;       // relative motion since the last armed sample
    int64_t wheel = 0;            // wheel motion since the last armed sample
    std::array<bool, 3> buttons{};  // left, right, middle
};

struct InputDevices {
    int32_t pointerX = 100, pointerY = 100;  // the program's mouse position
    bool inputAvailable = false;             // false: the window system's input could not be had
    std::array<uint8_t, 256> keys{};         // sampled key state; bit 7 = down
    platform::GlWindow* window = nullptr;
    bool pointerShown = false;  // true: the position follows the system pointer; false: it accumulates motion
    int32_t mouseMode = 0;      // 5 exclusive (pointer hidden), 6 shared (pointer shown)
    int32_t joystickCount = 0;
    std::array<std::string, 10> joystickNames;  // "device name, product name"
    bool mouseSamplePending = true;
    int16_t lastDx = 0, lastDy = 0, lastWheel = 0;
    uint8_t lastTypedChar = 0;  // the folded character text entry reported last; 0 re-arms it

    // What the events left, read by the sampling steps.
    std::array<uint8_t, 256> liveKeys{};
    // Keys pressed since they were last asked about: a tap shorter than the gap between two
    // samples still reads as down once. Asking about a key clears its mark.
    mutable std::array<uint8_t, 256> pressedSinceAsked{};
    std::array<uint8_t, 256> keyChars{};  // the character each key gave when it went down
    std::array<bool, 256> keyCharTyped{};  // true: it is the window system's text, Shift included
    int lastPressedKey = 0;               // the key that text from the window system belongs to
    bool keyboardFocus = true;
    LivePointer live;
};

extern InputDevices* g_input;

// Lifecycle.
void ResetInput(InputDevices* input);
// Returns 1, or 0 when the window system's input is missing ("No DX_Input").
int InitInput(InputDevices* input, platform::GlWindow* window, bool exclusiveMouse);
// The pointer mode of start-up: exclusive hides the system pointer.
void ApplyStartupPointerMode(InputDevices* input, bool exclusiveMouse);
// The pointer mode again on a (possibly new) window, after a screen change.
void ReapplyPointerMode(InputDevices* input);
// Shows the pointer (at the program's position when it was hidden) or hides it.
void SetPointerShown(InputDevices* input, bool shown);
void ShutdownInput(InputDevices* input);
void InputHandleEvent(InputDevices* input, const platform::Event& event);

// Keyboard.
void SampleKeyboard(InputDevices* input);
bool IsKeyDown(const InputDevices* input, int keyCode);
// Text entry: the character of a newly pressed key, or 0.
char ReadKeyChar(InputDevices* input);
bool HasKeyChar(InputDevices* input);

// Mouse.
// Fills the record; motion is taken once per armed sample, buttons on every call. Returns 1.
int SampleMouse(InputDevices* input, MouseRecord& record);
bool AnyMouseButton(InputDevices* input);

// The idle step of the wait commands: returns on input, or after about 75 ms without.
void WaitForInputEvent();

}  // namespace tvk
