// The main window's answers to window-system events.
#include "core/frame_loop.h"
#include "gfx2d/renderer.h"
#include "input/input_devices.h"
#include "platform/events.h"
#include "platform/window.h"
#include "tarnvik/core.h"

namespace tvk {
namespace {

RtString& StoredTitle() {
    static RtString title;
    return title;
}

bool FocusPausesProgram() { return GetRuntimeSettings().debugFlag == 0 && Frame().autoPause; }

void OnFocusGained() {
    FrameState& f = Frame();
    if (FocusPausesProgram()) {
        if (g_renderer) platform::SetWindowTitle(g_renderer->window, StoredTitle().c_str());
        if (f.paused) {
            f.paused = 0;
            CallByName("TVK_ON_RESUME");
        }
        f.paused = 0;
    }
}

void OnFocusLost() {
    FrameState& f = Frame();
    if (FocusPausesProgram()) {
        RtString title(StoredTitle());
        title += " <pause>";
        if (g_renderer) platform::SetWindowTitle(g_renderer->window, title.c_str());
        if (f.paused != 1) {
            f.paused = 1;
            CallByName("TVK_ON_PAUSE");
        }
        f.paused = 1;
    }
}

}  // namespace

void SetStoredWindowTitle(const RtString& title) { StoredTitle() = title; }

void HandleWindowEvent(const platform::Event& event) {
    using platform::EventType;
    if (g_input) InputHandleEvent(g_input, event);
    switch (event.type) {
        case EventType::CloseRequest:
            EndProgram();  // returns only while the program is already ending
            break;
        case EventType::FocusGained: OnFocusGained(); break;
        case EventType::FocusLost: OnFocusLost(); break;
        default: break;
    }
}

}  // namespace tvk
