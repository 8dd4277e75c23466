// Commands of the input subsystem: keyboard, mouse and the commands that wait for the user.
#pragma once

#include "tarnvik/key_codes.h"
#include "tarnvik/rt_string.h"

// Keyboard. Key codes are PC scan codes with extended keys + 128 (kKeyEscape 1, kKeyEnter 28,
// kKeyLeft 203, kKeyRight 205; tarnvik/key_codes.h names them); only the low 8 bits of a code
// are used.
/// Tells whether a key is held down.
/// code: key code (tarnvik/key_codes.h, e.g. kKeySpace 57, kKeyLeft 203); only the low 8 bits are used
/// Returns: 1 while the key is down, else 0
RtInt TestKey(RtInt code);
/// Takes the character of a newly pressed key.
/// Returns: the character as a one-character string; "" when there is none
RtString GetKeyChar();

// Mouse. The position is kept within the screen.

/// Gives the pointer position and the two main buttons (integer or number variables).
/// x: receives the pointer's x, pixels, within the screen
/// y: receives the pointer's y, pixels, within the screen
/// left: receives 1 while the left button is down, else 0
/// right: receives 1 while the right button is down, else 0
void GetMouseState(RtInt& x, RtInt& y, RtInt& left, RtInt& right);
void GetMouseState(RtNumber& x, RtNumber& y, RtNumber& left, RtNumber& right);
/// Reads one mouse axis or button.
/// axis: 0 motion dx, 1 motion dy (pixels since the last sample), 2 wheel, 3 left, 4 right, 5 middle button
/// Returns: the motion in pixels; the wheel −1, 0 or 1; a button 1 while down, else 0; 0 for any other axis
RtInt GetMouseAxis(RtInt axis);
/// Shows or hides the system's mouse pointer.
/// on: non-zero shows it, 0 hides it
void ShowSystemPointer(RtNumber on);
/// Sets the program's pointer position; the system pointer does not move.
/// x: pixels
/// y: pixels
void SetMousePosition(RtInt x, RtInt y);
/// Counts the mice.
/// Returns: 1 (all mice act as one)
RtInt CountMice();
/// Selects a mouse; does nothing, as all mice act as one.
/// index: the mouse, ignored
void SelectMouse(RtInt index);

// Joysticks, up to 10; each command polls the device when called. A missing joystick reads
// centred with nothing pressed.

/// Counts the joysticks.
/// Returns: 0 … 10
RtInt CountJoysticks();
/// Gives a joystick's name.
/// index: joystick 0 … count − 1
/// Returns: the name; "" outside 0 … count − 1
RtString GetJoystickName(RtInt index);
/// Reads a joystick's x axis.
/// index: joystick 0 … 9
/// Returns: −1 … 1
RtNumber GetJoystickX(RtInt index);
/// Reads a joystick's y axis.
/// index: joystick 0 … 9
/// Returns: −1 … 1
RtNumber GetJoystickY(RtInt index);
/// Reads a joystick's z axis.
/// index: joystick 0 … 9
/// Returns: −1 … 1
RtNumber GetJoystickZ(RtInt index);
/// Reads a joystick's rotation about x.
/// index: joystick 0 … 9
/// Returns: −1 … 1
RtNumber GetJoystickRX(RtInt index);
/// Reads a joystick's rotation about y.
/// index: joystick 0 … 9
/// Returns: −1 … 1
RtNumber GetJoystickRY(RtInt index);
/// Reads a joystick's rotation about z.
/// index: joystick 0 … 9
/// Returns: −1 … 1
RtNumber GetJoystickRZ(RtInt index);
/// Reads the first hat of a joystick, left and right.
/// index: joystick 0 … 9
/// Returns: −1 left, 0 centred, +1 right
RtNumber GetJoystickHatX(RtInt index);
/// Reads the first hat of a joystick, up and down.
/// index: joystick 0 … 9
/// Returns: −1 up, 0 centred, +1 down
RtNumber GetJoystickHatY(RtInt index);
/// Reads a joystick button.
/// index: joystick 0 … 9
/// button: button 0 … 31
/// Returns: non-zero while down; 0 when up or for a button outside 0 … 31
RtInt GetJoystickButton(RtInt index, RtInt button);
/// Reads joystick 0 as a direction pad with two buttons (integer or number variables).
/// x: receives −1, 0 or +1 (a dead band of ±29999 of ±32767)
/// y: receives −1, 0 or +1 (the same dead band)
/// button1: receives button 0, non-zero while down
/// button2: receives button 1, non-zero while down
void GetJoystickState(RtInt& x, RtInt& y, RtInt& button1, RtInt& button2);
void GetJoystickState(RtNumber& x, RtNumber& y, RtNumber& button1, RtNumber& button2);
/// Plays a constant force once, on a device with force feedback.
/// index: joystick 0 … 9
/// durationMs: milliseconds
/// forceX: −1 … 1 (clamped)
/// forceY: −1 … 1 (clamped)
void PlayJoystickForce(RtInt index, RtInt durationMs, RtNumber forceX, RtNumber forceY);

// Waiting for the user.

/// Waits until a key that types a character is pressed.
void WaitForKey();
/// Waits until a mouse button is pressed and released.
void WaitForMouseButton();

// Text entry over a still picture of the screen, printed in the current font, until Enter.
// Backspace removes the last character; a "_" cursor blinks while nothing is typed. Without a
// keyboard InputText returns at once and leaves the text as it was (InputInt and InputNumber
// then give 0).

/// Lets the user edit a text, starting from the variable's text.
/// text: the text to edit; receives what was typed
/// x: left edge, pixels
/// y: top edge, pixels
void InputText(RtString& text, RtInt x, RtInt y);
/// Lets the user type a whole number.
/// value: receives the typed text read as a whole number
/// x: left edge, pixels
/// y: top edge, pixels
void InputInt(RtInt& value, RtInt x, RtInt y);
/// Lets the user type a number.
/// value: receives the typed text read as a number
/// x: left edge, pixels
/// y: top edge, pixels
void InputNumber(RtNumber& value, RtInt x, RtInt y);
