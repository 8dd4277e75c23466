// Start-up settings of the program.
#include <tarnvik.h>

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = 640;
    s.screenHeight = 480;
    s.fullscreen = 0;
    s.exclusiveMouse = 0;
    s.frameRate = 60;
    s.debugFlag = 1;
    s.multisample = 0;
    s.windowTitle = "Zelmor";
}

// The program calls no user function by name.
const NameEntry AppNameTable[] = {{nullptr, nullptr}};
