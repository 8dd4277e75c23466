// Maps SDL scan codes to the runtime's 0..255 key codes (PC scan codes, extended keys + 128).
#pragma once

namespace tvk::platform {

int KeyCodeFromSdlScancode(int scancode);
// The inverse, for injected events; 0 when the key code has no SDL key.
int SdlScancodeFromKeyCode(int keyCode);

}  // namespace tvk::platform
