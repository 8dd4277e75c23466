// Stand-in for the demo program until its drawing commands exist: a window of the
// demo's size that runs its frame loop until Escape, Alt+F4 or the close button.
#include <tarnvik.h>

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = 800;
    s.screenHeight = 640;
    s.frameRate = 60;
    s.debugFlag = 1;
    s.windowTitle = "Zelmor";
}

int AppMain() {
    for (;;) ShowScreen();
    return 0;
}

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

int main(int argc, char** argv) { RunProgram(argc, argv); }
