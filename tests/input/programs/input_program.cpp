// A program that reads the keyboard and the mouse. Its first argument picks what it does;
// it prints what the tests check. "echo" reports keys and characters, "type" characters
// alone, "taps" characters and the Space key, until Escape; "entry" reads a line, a whole number and a number with the line editor.
#include <tarnvik.h>

#include <cstdio>
#include <string>

#include "input/input_devices.h"
#include "input/input_events.h"

namespace {

using namespace tvk::test;

std::string g_mode;

void Push(const Event& e) { tvk::platform::PushEvent(e); }

// A user acting from another thread, as a person would while the program waits.
int PressAndReleaseLater(int what) {
    SleepThread(150);
    if (what == 0) Push(KeyDown(45, 'x'));
    else if (what == 1) Push(Button(1, true));
    else Push(KeyDown(1, 27));
    SleepThread(150);
    if (what == 0) Push(KeyUp(45));
    else if (what == 1) Push(Button(1, false));
    return 0;
}

void StartUser(int what) { StartThread(PressAndReleaseLater, what, false); }

void PrintMouseState(const char* label) {
    RtInt x, y, left, right;
    GetMouseState(x, y, left, right);
    std::printf("%s %d %d stored %d %d\n", label, x, y, tvk::g_input->pointerX, tvk::g_input->pointerY);
}

// Hidden pointer on a 320 x 200 screen, pushed far beyond its edges.
void RunClamp() {
    ShowScreen();
    Push(Motion(0, 0, 5000, 5000));
    ShowScreen();
    PrintMouseState("beyond");
    Push(Motion(0, 0, -10, -10));
    ShowScreen();
    PrintMouseState("back");
    Push(Motion(0, 0, -9000, -9000));
    ShowScreen();
    PrintMouseState("before");
}

void RunArm() {
    ShowScreen();
    int x = tvk::g_input->pointerX, y = tvk::g_input->pointerY;
    Push(Motion(x + 10, y, 10, 0));
    ShowScreen();
    int first = GetMouseAxis(0);
    int second = GetMouseAxis(0);
    Push(Motion(x + 30, y, 20, 0));
    ShowScreen();
    std::printf("same frame %d %d next frame %d\n", first, second, GetMouseAxis(0));
}

// Reports every character typed and every key that changes, one line each.
void RunEcho() {
    int down[256] = {};
    for (;;) {
        ShowScreen();
        RtString c = GetKeyChar();
        if (!c.Empty()) std::printf("char %d\n", static_cast<unsigned char>(c.c_str()[0]));
        for (int code = 0; code < 256; ++code) {
            int now = TestKey(code);
            if (now != down[code]) std::printf("%s %d\n", now ? "down" : "up", code);
            down[code] = now;
        }
        std::fflush(stdout);
    }
}

// Characters first, then the Space key twice in every frame: each query reports on its own
// line every frame in which it sees Space go down.
void RunTaps() {
    bool was[2] = {};
    for (;;) {
        ShowScreen();
        RtString c = GetKeyChar();
        if (!c.Empty()) std::printf("char %d\n", static_cast<unsigned char>(c.c_str()[0]));
        for (int query = 0; query < 2; ++query) {
            bool now = TestKey(57) != 0;
            if (now && !was[query]) std::printf("space %d\n", query + 1);
            was[query] = now;
        }
        std::fflush(stdout);
    }
}

// Text entry alone, as a line editor reads it: one character per frame at most.
void RunType() {
    for (;;) {
        ShowScreen();
        RtString c = GetKeyChar();
        if (!c.Empty()) std::printf("char %d\n", static_cast<unsigned char>(c.c_str()[0]));
        std::fflush(stdout);
    }
}

}  // namespace

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = 320;
    s.screenHeight = 200;
    s.frameRate = 60;
    s.exclusiveMouse = g_mode == "clamp" ? 1 : 0;
    s.windowTitle = "InputProbe";
}

int AppMain() {
    if (g_mode == "clamp") RunClamp();
    if (g_mode == "arm") RunArm();
    if (g_mode == "echo") RunEcho();
    if (g_mode == "type") RunType();
    if (g_mode == "taps") RunTaps();
    if (g_mode == "entry") {
        // Something drawn for the editor to keep behind the line.
        DrawRect(0, 0, 320, 8, 0x00A000);
        RtString text = "go";
        InputText(text, 10, 20);
        std::printf("text %s\n", text.c_str());
        RtInt whole = -1;
        InputInt(whole, 10, 40);
        std::printf("int %d\n", whole);
        RtNumber number = -1;
        InputNumber(number, 10, 60);
        std::printf("number %g\n", number);
        std::fflush(stdout);
    }
    if (g_mode == "wait-key") {
        StartUser(0);
        WaitForKey();
        std::printf("key typed\n");
    }
    if (g_mode == "wait-button") {
        StartUser(1);
        WaitForMouseButton();
        std::printf("button clicked, still down %d\n", GetMouseAxis(3));
    }
    if (g_mode == "wait-escape") {
        StartUser(2);
        WaitForKey();
        std::printf("not reached\n");
    }
    if (g_mode == "alt-f4") {
        SetEscapeEnds(0);
        Push(KeyDown(62));
        ShowScreen();
        ShowScreen();
        std::printf("F4 alone ignored\n");
        std::fflush(stdout);
        Push(KeyDown(56));
        ShowScreen();
        ShowScreen();
        std::printf("not reached\n");
    }
    return 0;
}

int main(int argc, char** argv) {
    g_mode = argc > 1 ? argv[1] : "";
    RunProgram(argc, argv);
}
