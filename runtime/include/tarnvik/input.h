// Commands of the input subsystem: keyboard, mouse and the commands that wait for the user.
#pragma once

#include "tarnvik/key_codes.h"
#include "tarnvik/rt_string.h"

// Keyboard. Key codes are PC scan codes with extended keys + 128 (kKeyEscape 1, kKeyEnter 28,
// kKeyLeft 203, kKeyRight 205; tarnvik/key_codes.h names them); only the low 8 bits of a code
// are used.
RtInt TestKey(RtInt code);
// The character of a newly pressed key as a one-character string; "" when there is none.
RtString GetKeyChar();

// Mouse. The position is kept within the screen.
void GetMouseState(RtInt& x, RtInt& y, RtInt& left, RtInt& right);
void GetMouseState(RtNumber& x, RtNumber& y, RtNumber& left, RtNumber& right);
// 0 dx, 1 dy, 2 wheel (-1, 0, 1), 3 left, 4 right, 5 middle; anything else 0.
RtInt GetMouseAxis(RtInt axis);
void ShowSystemPointer(RtNumber on);
// Sets the program's pointer position; the system pointer does not move.
void SetMousePosition(RtInt x, RtInt y);
RtInt CountMice();
void SelectMouse(RtInt index);

// Joysticks, up to 10; each command polls the device when called. Axes read -1..1; a missing
// joystick reads centred with nothing pressed.
RtInt CountJoysticks();
RtString GetJoystickName(RtInt index);  // "" outside 0 .. count - 1
RtNumber GetJoystickX(RtInt index);
RtNumber GetJoystickY(RtInt index);
RtNumber GetJoystickZ(RtInt index);
RtNumber GetJoystickRX(RtInt index);
RtNumber GetJoystickRY(RtInt index);
RtNumber GetJoystickRZ(RtInt index);
RtNumber GetJoystickHatX(RtInt index);  // the first hat: -1 left, 0, +1 right
RtNumber GetJoystickHatY(RtInt index);  // the first hat: -1 up, 0, +1 down
RtInt GetJoystickButton(RtInt index, RtInt button);  // buttons 0..31; non-zero = down
// Joystick 0: x and y as -1, 0 or +1 (a dead band of +-29999), and buttons 0 and 1.
void GetJoystickState(RtInt& x, RtInt& y, RtInt& button1, RtInt& button2);
void GetJoystickState(RtNumber& x, RtNumber& y, RtNumber& button1, RtNumber& button2);
// A constant force once, on a device with force feedback; forces are clamped to -1..1.
void PlayJoystickForce(RtInt index, RtInt durationMs, RtNumber forceX, RtNumber forceY);

// Waiting for the user.
void WaitForKey();          // until a key that types a character is pressed
void WaitForMouseButton();  // until a mouse button is pressed and released

// Text entry over a still picture of the screen, printed at (x, y) in the current font, until
// Enter. Backspace removes the last character; a "_" cursor blinks while nothing is typed.
// Without a keyboard InputText returns at once and leaves the text as it was.
void InputText(RtString& text, RtInt x, RtInt y);
void InputInt(RtInt& value, RtInt x, RtInt y);        // the typed text read as a whole number
void InputNumber(RtNumber& value, RtInt x, RtInt y);  // the typed text read as a number
