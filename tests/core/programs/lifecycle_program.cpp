// A translated program in miniature. What it does is chosen by its first argument;
// it prints what the test checks on standard output.
#include <tarnvik.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/frame_state.h"
#include "gfx2d/renderer.h"
#include "platform/events.h"
#include "platform/window.h"

namespace {
std::string g_mode;
int g_pauseCalls = 0;
int g_resumeCalls = 0;
int g_quitCalls = 0;
int g_messageCalls = 0;

void OnPause() { ++g_pauseCalls; }
void OnResume() { ++g_resumeCalls; }
void OnMessage() { ++g_messageCalls; }
void OnQuit() {
    ++g_quitCalls;
    std::printf("quit callback %d\n", g_quitCalls);
    if (g_mode == "quit-reenters") {
        EndProgram();  // must come straight back
        std::printf("second EndProgram returned\n");
    }
    std::fflush(stdout);
}

void Push(tvk::platform::EventType type) {
    tvk::platform::Event e;
    e.type = type;
    tvk::platform::PushEvent(e);
}

std::string Title() { return tvk::platform::WindowTitle(tvk::g_renderer->window); }

void RunFocusChanges() {
    Push(tvk::platform::EventType::FocusLost);
    ShowScreen();
    std::printf("paused title [%s] pause %d resume %d\n", Title().c_str(), g_pauseCalls, g_resumeCalls);
    Push(tvk::platform::EventType::FocusLost);  // a second loss must not call again
    Push(tvk::platform::EventType::FocusGained);
    ShowScreen();  // waits in the pause loop until the focus comes back
    std::printf("resumed title [%s] pause %d resume %d\n", Title().c_str(), g_pauseCalls, g_resumeCalls);
}
}  // namespace

const NameEntry AppNameTable[] = {
    {OnPause, "TVK_ON_PAUSE"}, {OnResume, "TVK_ON_RESUME"}, {OnQuit, "TVK_ON_QUIT"},
    {OnMessage, "TVK_WIN32_MSG"}, {nullptr, nullptr}};

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = 320;
    s.screenHeight = 200;
    s.frameRate = 60;
    s.debugFlag = (g_mode == "debug-focus" || g_mode == "return" || g_mode == "assert") ? 1 : 0;
    s.windowTitle = "Lifecycle";
}

int AppMain() {
    if (g_mode == "return" || g_mode == "quit-reenters") return 7;  // the exit code stays 0 anyway
    if (g_mode == "end") {
        ShowScreen();
        EndProgram();
        std::printf("not reached\n");
    }
    if (g_mode == "close") {
        Push(tvk::platform::EventType::CloseRequest);
        for (int i = 0; i < 3; ++i) ShowScreen();
        std::printf("not reached\n");
    }
    if (g_mode == "escape" || g_mode == "escape-off") {
        if (g_mode == "escape-off") SetEscapeEnds(0);
        tvk::platform::Event key;
        key.type = tvk::platform::EventType::KeyDown;
        key.keyCode = 1;
        tvk::platform::PushEvent(key);
        ShowScreen();  // the key arrives
        ShowScreen();  // and is seen here
        std::printf("escape ignored\n");
        return 0;
    }
    if (g_mode == "focus" || g_mode == "debug-focus") {
        RunFocusChanges();
        return 0;
    }
    if (g_mode == "message-callback") {
        ShowScreen();
        int before = g_messageCalls;
        for (int i = 0; i < 3; ++i) Push(tvk::platform::EventType::Other);
        ShowScreen();
        std::printf("message callback ran %d times for 3 events\n", g_messageCalls - before);
        return 0;
    }
    if (g_mode == "filedialog") {
        RtString chosen = FileDialog(1, "Text files|*.txt|All files|*.*");
        std::printf("chosen [%s] shown %d\n", chosen.c_str(), tvk::platform::WindowShown(tvk::g_renderer->window));
        return 0;
    }
    if (g_mode == "assert") {
        Assert(1);
        std::printf("assert 1 passed\n");
        std::fflush(stdout);
        Assert(0);
        std::printf("not reached\n");
    }
    // Fatal errors, each after line tracking reached line 12 (or none for "bounds-untracked").
    if (g_mode.starts_with("fatal-")) {
        TraceLine(0, 12, nullptr);
        if (g_mode == "fatal-bounds") {
            RtIntArray a;
            DimArray(a, 3);
            ArrayElement(a, 3) = 1;
        }
        if (g_mode == "fatal-channel") ReadInt32(8);
        if (g_mode == "fatal-past-end") {
            std::string name = std::string(std::getenv("TMPDIR")) + "one-byte.bin";  // the test's own directory
            std::FILE* f = std::fopen(name.c_str(), "wb");
            std::fputc(1, f);
            std::fclose(f);
            OpenFileChannel(0, name.c_str(), 1);
            ReadUInt8(0);
            ReadUInt8(0);
        }
        if (g_mode == "fatal-data") {
            const DataItem items[] = {{1, nullptr}};
            const DataBlock block = {items, 1};
            RestoreData(&block);
            RtNumber v;
            ReadDataNumber(v);
            ReadDataNumber(v);
        }
        if (g_mode == "fatal-assert") Assert(0);
        std::printf("not reached\n");
    }
    if (g_mode == "bounds-untracked") {
        RtIntArray a;
        DimArray(a, 3);
        ArrayElement(a, -4) = 1;
        std::printf("not reached\n");
    }
    if (g_mode == "stdin") {
        RtString first = ReadStdinLine();
        RtString second = ReadStdinLine();
        RtString third = ReadStdinLine();
        std::printf("lengths %u %u [%s]\n", first.Length(), second.Length(), third.c_str());
        return 0;
    }
    if (g_mode == "cmdline") {
        std::printf("command line [%s]\n", CommandLine().c_str());
        return 0;
    }
    if (g_mode == "callbyname") {
        std::printf("known %g unknown %g\n", CallByName("TVK_ON_PAUSE"), CallByName("NoSuchFunction"));
        return 0;
    }
    if (g_mode == "hidden") {
        ShowScreen();
        std::printf("shown %d\n", tvk::platform::WindowShown(tvk::g_renderer->window) ? 1 : 0);
        return 0;
    }
    if (g_mode == "cwd") {
        std::FILE* f = std::fopen("beside-the-program.txt", "r");
        std::printf("relative open %s\n", f ? "found" : "missing");
        if (f) std::fclose(f);
        return 0;
    }
    return 0;
}

int main(int argc, char** argv) {
    g_mode = argc > 1 ? argv[1] : "";
    RunProgram(argc, argv);
}
