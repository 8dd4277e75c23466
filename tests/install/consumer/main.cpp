#include <tarnvik.h>

#include <cstdio>

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = 160;
    s.screenHeight = 120;
    s.frameRate = 60;
    s.windowTitle = "Consumer";
}

int AppMain() {
    for (int i = 0; i < 3; ++i) ShowScreen();
    std::printf("consumer ran\n");
    return 0;
}

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

int main(int argc, char** argv) { RunProgram(argc, argv); }
