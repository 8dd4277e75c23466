// Start-up and shutdown of the runtime, each in one fixed order.
#include "core/lifecycle.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/error_log.h"
#include "base/last_error.h"
#include "base/timer.h"
#include "core/display.h"
#include "core/frame_loop.h"
#include "files/file_channels.h"
#include "files/library_bindings.h"
#include "files/line_files_write_back.h"
#include "files/resolver.h"
#include "gfx2d/frame_assets.h"
#include "gfx2d/offscreen.h"
#include "gfx2d/renderer.h"
#include "gfx3d/scene.h"
#include "input/input_devices.h"
#include "net/session.h"
#include "net/socket_table.h"
#include "platform/events.h"
#include "platform/system.h"
#include "platform/window.h"
#include "sound/music.h"
#include "sound/sound_device.h"
#include "tarnvik/core.h"
#include "tarnvik/values.h"

namespace tvk {
namespace {

bool g_quitCallbackCalled = false;
bool g_ending = false;

std::string ExecutableDirectory() {
    std::string path = platform::ExecutablePath();
    size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string(".") : path.substr(0, cut == 0 ? 1 : cut);
}

void LoadDefaultFontFile() {
    for (const char* name : {"smalfont.png", "smalfont.bmp"}) {
        if (const char* resolved = ResolveFileName(g_memoryResolver, name)) {
            LoadDefaultFont(resolved);
            return;
        }
    }
}

}  // namespace

int ShowModeFromEnvironment() {
    std::string value = platform::GetEnvironment("TVK_SHOW");
    return (!value.empty() && std::atoi(value.c_str()) == 0 && value[0] == '0') ? 0 : 10;
}

bool RuntimeEnding() { return g_ending; }

int InitRuntime(void*, int showMode, const RtString& title) {
    const RuntimeSettings& settings = GetRuntimeSettings();
    DeleteErrorLog();
    Frame().autoPause = true;
    InitTimer();
    WriteErrorLog("Init GFX");

    SetHiddenRun(showMode == 0);
    g_renderer = new OpenGLDodurudo;
    if (!CreateDisplay(g_renderer, settings.screenWidth, settings.screenHeight, 0, settings.frameRate,
                       settings.multisample))
        return 0;

    platform::SetWindowTitle(g_renderer->window, title.c_str());
    SetStoredWindowTitle(title);
    SeedRandom(static_cast<RtInt>(GetElapsedTime()));

    g_session = CreateIdleSession();
    g_scene = new Dodurudo3D(g_renderer);
    g_input = new InputDevices;
    ResetInput(g_input);
    if (settings.fullscreen) EnterFullscreen(g_renderer);
    else EnterWindowed(g_renderer);
    InitInput(g_input, g_renderer->window, settings.exclusiveMouse != 0);
    g_input->window = g_renderer->window;

    std::string exePath = platform::ExecutablePath();
    g_memoryResolver = CreateMemoryResolver();
    g_fileResolver = CreateFileResolver();
    SetArchiveNames(exePath.c_str(), exePath.c_str());
    platform::SetCurrentDirectory(ExecutableDirectory());

    ResetFrameClock();
    SelectBackBuffer(g_renderer);
    PresentFrame(g_renderer, nullptr);
    SetViewport(g_renderer, 0, 0, 0, 0);
    BuildBuiltinFont();
    LoadDefaultFontFile();
    SelectCurrentFont(0);
    Frame().paused = 0;
    ResetFrameClock();

    if (showMode == 0) HideDisplay(g_renderer);
    platform::DisableScreenSaver();
    ApplyStartupPointerMode(g_input, settings.exclusiveMouse != 0);

    WriteErrorLog("Delay load DLLs");
    BindDeclarations();

    WriteErrorLog("Init sound engine");
    g_sound = CreateSoundDevice();
    g_soundSlots = new SoundSlot[kSoundSlotCount];
    InitSoundDevice(g_sound, g_renderer->window);

    WriteErrorLog("Init Finalized");
    return 1;
}

void ShutdownRuntime() {
    if (!g_quitCallbackCalled) {
        g_quitCallbackCalled = true;
        CallByName("TVK_ON_QUIT");
    }
    if (!g_renderer) return;
    WriteErrorLog("Shut down TVK");
    StopMusic();
    platform::SetCurrentDirectory(ExecutableDirectory());
    CloseAllFileChannels();
    WritePendingFilesAtExit();
    if (g_session) {
        CloseSession(g_session);
        g_session = nullptr;
    }
    for (int i = 0; i < 16; ++i) StopSockets();
    if (g_input) {
        ShutdownInput(g_input);
        delete g_input;
        g_input = nullptr;
    }
    if (g_soundSlots) {
        delete[] g_soundSlots;  // destroys the slots from the last to the first
        g_soundSlots = nullptr;
    }
    if (g_sound) {
        ReleaseSoundDevice(g_sound);
        delete g_sound;
        g_sound = nullptr;
    }
    delete g_renderer;  // the window goes with it
    g_renderer = nullptr;
    delete g_scene;
    g_scene = nullptr;
    for (ResourceResolver** resolver : {&g_memoryResolver, &g_fileResolver}) {
        if (*resolver) {
            ReleaseResolver(*resolver);
            delete *resolver;
            *resolver = nullptr;
        }
    }
    platform::QuitVideo();
    WriteErrorLog("tvk is shut down");
}

}  // namespace tvk

RuntimeSettings& GetRuntimeSettings() {
    static RuntimeSettings settings;
    return settings;
}

void EndProgram() {
    using namespace tvk;
    if (g_ending) return;
    g_ending = true;
    if (GetRuntimeSettings().debugFlag) {
        const LastErrorRecord& e = LastError();
        WriteErrorLog("-End On Line");
        char line[16];
        for (int value : {e.code, e.recordedLine - 1, e.currentLine, e.currentFile}) {
            std::snprintf(line, sizeof(line), "%d", value);
            WriteErrorLog(line);
        }
    }
    ShutdownRuntime();
    std::puts("exit");
    std::fflush(stdout);
    std::exit(0);
}
