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
    // Taps: a key pressed after a frame began reads as down until the end of the next frame,
    // so a press shorter than a frame is seen by every query of that frame, in any order.
    // Without frames (or with slow ones) a tap ends kTapHoldMs after its release.
    uint64_t keyboardFrame = 1;       // counts BeginKeyboardFrame calls
    double keyboardFrameBeganMs = 0;  // when the current frame began
    std::array<uint64_t, 256> tapHeldThrough{};  // last frame a tap of the key reads as down; 0 none
    std::array<double, 256> releasedAtMs{};      // when the key last went up
    // Presses whose character text entry has not looked at yet, so that a tap hidden behind
    // a lower key held at the same time still types once that key is gone.
    std::array<bool, 256> charPending{};
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
// A tap reads as down for at least this long after its release when no frame ends it.
constexpr double kTapHoldMs = 100;
// A typed character hidden behind a held key is dropped this long after its key went up.
constexpr double kTypedCharKeepMs = 500;
// Begins the key state of a new frame (every ShowScreen): taps of the frame before stay down
// for all of it; then samples like SampleKeyboard.
void BeginKeyboardFrame(InputDevices* input);
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
