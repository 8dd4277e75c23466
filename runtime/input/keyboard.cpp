// The key state the program reads, and text entry from it.
#include <cstddef>

#include "input/input_devices.h"
#include "platform/events.h"
#include "platform/system.h"
#include "tarnvik/key_codes.h"

namespace tvk {
namespace {

// Ctrl, the Shifts, Alt, Caps Lock, Num Lock and the menu key type nothing themselves.
bool IsModifierKey(int code) {
    switch (code) {
        case kKeyLeftCtrl: case kKeyLeftShift: case kKeyRightShift: case kKeyLeftAlt: case kKeyCapsLock:
        case kKeyNumLock: case kKeyMenu: return true;
        default: return false;
    }
}

int CharacterOfKey(const InputDevices* input, int code) {
    if (code == kKeyBackspace) return 8;
    if (code == kKeyEnter || code == kKeyKeypadEnter) return 10;
    if (IsModifierKey(code)) return 0;
    int c = input->keyChars[static_cast<std::size_t>(code)];
    if (c >= 1 && c <= 31 && c != 8 && c != 10) return 0;
    return c;
}

int FoldToLower(int c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }
int RaiseToUpper(int c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

}  // namespace

namespace {

// A tap ends with the frame after the one it came in, or, when that frame is slow in coming,
// once its key has been up for kTapHoldMs and the current frame is as old.
bool TapHeld(InputDevices* input, std::size_t code, double now) {
    uint64_t through = input->tapHeldThrough[code];
    if (through == 0) return false;
    bool ended = input->keyboardFrame > through ||
                 (input->liveKeys[code] == 0 && now - input->releasedAtMs[code] >= kTapHoldMs &&
                  now - input->keyboardFrameBeganMs >= kTapHoldMs);
    if (ended) input->tapHeldThrough[code] = 0;
    return !ended;
}

}  // namespace

void SampleKeyboard(InputDevices* input) {
    if (!input) return;
    // The key state is kept from events, so take the key events the window system has now.
    platform::Event event;
    while (platform::PollKeyEvent(event)) InputHandleEvent(input, event);
    if (!input->keyboardFocus) return;
    double now = platform::MonotonicMs();
    for (std::size_t code = 0; code < input->keys.size(); ++code)
        input->keys[code] = static_cast<uint8_t>(input->liveKeys[code] | (TapHeld(input, code, now) ? 0x80 : 0));
}

void BeginKeyboardFrame(InputDevices* input) {
    if (!input) return;
    platform::Event event;
    while (platform::PollKeyEvent(event)) InputHandleEvent(input, event);
    ++input->keyboardFrame;
    input->keyboardFrameBeganMs = platform::MonotonicMs();
    // A key held into this frame is no tap: its release shows at once.
    for (std::size_t code = 0; code < input->keys.size(); ++code)
        if (input->liveKeys[code] != 0) input->tapHeldThrough[code] = 0;
    SampleKeyboard(input);
}

bool IsKeyDown(const InputDevices* input, int keyCode) {
    if (!input || keyCode < 0 || keyCode > 255) return false;
    return (input->keys[static_cast<std::size_t>(keyCode)] & 0x80) != 0;
}

char ReadKeyChar(InputDevices* input) {
    if (!input) return 0;
    SampleKeyboard(input);
    double now = platform::MonotonicMs();
    int c = 0;
    int code = 0;
    // Keys held down and presses not looked at yet type; a tap already looked at does not,
    // though it still reads as down for the rest of the frame.
    for (; code < 255 && c == 0; ++code) {
        auto index = static_cast<std::size_t>(code);
        bool held = IsKeyDown(input, code) && input->liveKeys[index] != 0;
        if (input->charPending[index] && !held && now - input->releasedAtMs[index] >= kTypedCharKeepMs)
            input->charPending[index] = false;
        if (!held && !input->charPending[index]) continue;
        input->charPending[index] = false;
        c = CharacterOfKey(input, code);
    }
    // A held key repeats the same folded character, which is reported once; a key
    // that gives nothing (or no key) re-arms the next one.
    int folded = FoldToLower(c);
    bool shift = IsKeyDown(input, kKeyLeftShift) || IsKeyDown(input, kKeyRightShift);
    // The window system's text already has the case Shift gave it when the key went down;
    // a Shift tap that comes after it must not change it.
    bool typed = c != 0 && input->keyCharTyped[static_cast<std::size_t>(code - 1)];
    if (shift && !typed) c = RaiseToUpper(c);
    if (folded == input->lastTypedChar) return 0;
    input->lastTypedChar = static_cast<uint8_t>(folded);
    return static_cast<char>(c);
}

bool HasKeyChar(InputDevices* input) { return ReadKeyChar(input) != 0; }

}  // namespace tvk
