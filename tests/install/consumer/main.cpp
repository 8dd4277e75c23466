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
    // Relative to the executable's folder, whatever the folder the program was started in.
    if (OpenFileChannel(0, "Media/greeting.txt", 1)) {
        std::printf("greeting: %s\n", ReadLine(0).c_str());
        CloseFileChannel(0);
    }
    std::printf("consumer ran\n");
    return 0;
}

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

int main(int argc, char** argv) { RunProgram(argc, argv); }
