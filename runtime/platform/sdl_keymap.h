// Maps SDL scan codes to the runtime's 0..255 key codes (PC scan codes, extended keys + 128),
// and SDL's key symbols and text to characters of the 8-bit code page (Latin-1).
#pragma once

namespace tvk::platform {

int KeyCodeFromSdlScancode(int scancode);
// The inverse, for injected events; 0 when the key code has no SDL key.
int SdlScancodeFromKeyCode(int keyCode);
// The character an SDL key symbol stands for (control characters included), 0 when it has none.
int KeyCharFromSdlKeycode(int keycode);
// The first character of UTF-8 text when it is a printable Latin-1 character, else 0.
int CharFromUtf8Text(const char* text);

}  // namespace tvk::platform
