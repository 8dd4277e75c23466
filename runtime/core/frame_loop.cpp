// ShowScreen and the steps it is made of.
#include "core/frame_loop.h"

#include <GL/gl.h>

#include <cstdio>

#include "base/error_codes.h"
#include "base/last_error.h"
#include "core/display.h"
#include "core/frame_limiter.h"
#include "gfx2d/frame_assets.h"
#include "gfx2d/offscreen.h"
#include "gfx2d/renderer.h"
#include "gfx3d/scene.h"
#include "gl/quad_batch.h"
#include "input/input_devices.h"
#include "platform/events.h"
#include "platform/system.h"
#include "platform/window.h"
#include "sound/music.h"
#include "tarnvik/core.h"
#include "tarnvik/key_codes.h"

namespace tvk {
namespace {

constexpr double kPausePollMs = 200;

void EndOnQuitRequest() {
    SetErrorCode(tvk::kErrorSuccess);
    EndProgram();
}

void BringWindowToFront() {
    std::puts("activate");
    if (g_renderer && !HiddenRun()) {
        platform::ShowWindow(g_renderer->window);
        platform::RaiseWindow(g_renderer->window);
    }
    std::puts("ok");
    Frame().activationRequest = false;
}

void RunPauseLoop() {
    FrameState& f = Frame();
    std::puts("pause loop in showscreen");
    while (f.paused != 0 && !f.activationRequest) {
        ServiceWindow();
        platform::SleepMs(kPausePollMs);
    }
    std::puts("pause ended");
}

void ClearAfterPresent(OpenGLDodurudo* r) {
    if (r->clearDepthOnce) {
        r->clearDepthOnce = false;
        glClear(r->clearEachFrame ? (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT) : GL_DEPTH_BUFFER_BIT);
    } else if (r->clearEachFrame) {
        glClear(GL_COLOR_BUFFER_BIT);
    }
}

}  // namespace

void ServiceWindow() {
    MusicLoopCheck();
    PumpMessages(g_renderer, ResolveMessageCallback());
}

int PumpMessages(OpenGLDodurudo*, MessageCallback callback) {
    platform::Event event;
    if (!callback) {
        while (platform::PollEvent(event)) HandleWindowEvent(event);
        return 1;
    }
    while (platform::PeekEvent()) {
        callback();
        if (platform::PollEvent(event)) HandleWindowEvent(event);
    }
    return 1;
}

int PresentFrame(OpenGLDodurudo* r, MessageCallback callback) {
    gl::FinishQuads();
    FinishOffscreenTarget(r);
    platform::SwapBuffers(r->window);
    ClearAfterPresent(r);
    // Choose the slot first and then wait for it, so that a frame that missed its slot
    // lands on the following one instead of drifting between slots.
    r->nextFrameTime = NextFrameSlot(r->framePeriod, r->nextFrameTime, ReadTimer());
    for (;;) {
        PumpMessages(r, callback);
        SlotWait wait = DecideSlotWait(r->nextFrameTime - ReadTimer());
        if (wait.action == SlotWaitAction::Done) break;
        platform::SleepMs(wait.milliseconds);
    }
    return 1;
}

}  // namespace tvk

void ShowScreen() {
    using namespace tvk;
    FrameState& f = Frame();
    if (f.activationRequest) BringWindowToFront();

    f.previousFrameTime = f.currentFrameTime;
    f.currentFrameTime = ReadTimer();

    if (f.paused != 0) RunPauseLoop();

    if (g_input) {
        BeginKeyboardFrame(g_input);
        g_input->mouseSamplePending = true;
    }
    if (f.escapeEnds && (IsKeyDown(g_input, kKeyExtended + kKeyEscape) || IsKeyDown(g_input, kKeyEscape))) EndOnQuitRequest();
    if (IsKeyDown(g_input, kKeyLeftAlt) && IsKeyDown(g_input, kKeyF4)) EndOnQuitRequest();

    gl::FinishQuads();  // the frame's last sprites, before the scene or the window touch GL
    if (g_scene) g_scene->StencilDrawingOff();
    ServiceWindow();
    if (!g_renderer) return;
    PresentFrame(g_renderer, ResolveMessageCallback());

    ResetFrameState(g_renderer);
    DrawBackgroundImage(0);
    SetViewport(g_renderer, 0, 0, 0, 0);
    if (g_scene) g_scene->ResetSharedValue();
    DisableActiveShader();
}
