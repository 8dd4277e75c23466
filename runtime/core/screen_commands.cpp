// Commands that change the screen at run time, and the file dialog that must step out of it.
#include <string>
#include <vector>

#include "core/display.h"
#include "gfx2d/renderer.h"
#include "input/input_devices.h"
#include "platform/dialogs.h"
#include "platform/system.h"
#include "sound/sound_device.h"
#include "tarnvik/core.h"

namespace tvk {
namespace {

// SetScreen from its second step on: the display, the pointer, the sound, five frames.
void ApplyScreen(int32_t width, int32_t height, int32_t fullscreen) {
    if (!g_renderer) return;
    if (width != 0) g_renderer->width = width;
    if (height != 0) g_renderer->height = height;
    if (fullscreen) EnterFullscreen(g_renderer);
    else EnterWindowed(g_renderer);
    if (g_input) {
        ReapplyPointerMode(g_input);
        g_input->window = g_renderer->window;
    }
    if (g_sound) InitSoundDevice(g_sound, g_renderer->window);
    for (int i = 0; i < 5; ++i) ShowScreen();
}

// "Text|*.txt|All|*.*" becomes description/pattern pairs.
std::vector<platform::FileFilter> ParseFilter(const char* filter) {
    std::vector<std::string> parts;
    std::string part;
    for (const char* p = filter; *p; ++p) {
        if (*p == '|') {
            parts.push_back(part);
            part.clear();
        } else {
            part += *p;
        }
    }
    if (!part.empty()) parts.push_back(part);
    std::vector<platform::FileFilter> filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) filters.push_back({parts[i], parts[i + 1]});
    return filters;
}

}  // namespace
}  // namespace tvk

void SetScreen(RtInt width, RtInt height, RtInt fullscreen) {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = width;
    s.screenHeight = height;
    s.fullscreen = fullscreen;
    tvk::ApplyScreen(width, height, fullscreen);
}

RtString FileDialog(RtInt openFlag, const RtString& filter) {
    using namespace tvk;
    std::string directory = platform::CurrentDirectory();
    if (g_renderer) HideDisplay(g_renderer);
    std::string chosen = platform::RunFileDialog(openFlag != 0, ParseFilter(filter.c_str()), directory);
    platform::SetCurrentDirectory(directory);
    const RuntimeSettings& s = GetRuntimeSettings();
    if (s.fullscreen) ApplyScreen(s.screenWidth, s.screenHeight, 1);
    else if (g_renderer) EnterWindowed(g_renderer);
    if (chosen.empty()) return RtString("NO_FILE");
    for (char& c : chosen)
        if (c == '\\') c = '/';
    return RtString(chosen.c_str());
}
