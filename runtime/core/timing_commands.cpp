// The program's time commands, the commands that start other programs and handing a
// document to the desktop: all but the time commands let go of the runtime first.
#include <cstdlib>
#include <string>

#include "base/frame_state.h"
#include "core/lifecycle.h"
#include "gfx2d/renderer.h"
#include "platform/process.h"
#include "platform/system.h"
#include "tarnvik/core.h"
#include "tarnvik/values.h"

RtNumber GetFrameTime() {
    const tvk::FrameState& f = tvk::Frame();
    double delta = f.currentFrameTime - f.previousFrameTime;
    return delta <= 0 ? 1 : delta;
}

void SleepMs(RtInt milliseconds) { tvk::platform::SleepMs(milliseconds); }

void SetFrameRate(RtNumber rate) {
    if (!tvk::g_renderer) return;
    // Truncated like every number-to-integer conversion; out-of-range rates count as none.
    int64_t n = (rate > -2e9 && rate < 2e9) ? static_cast<int64_t>(rate) : 0;
    tvk::g_renderer->framePeriod = n > 0 ? 1000.0 / static_cast<double>(n) : 2.0;
}

RtNumber RunProcess(const RtString& commandLine, RtNumber wait, RtNumber show, RtNumber& exitCode) {
    (void)show;  // windows have no start-up show mode here
    exitCode = 0;
    int code = 0;
    if (!tvk::platform::RunShellCommand(commandLine.c_str(), wait != 0, &code)) return 0;
    if (wait != 0) exitCode = code;
    return 1;
}

void RunAndEnd(const RtString& commandLine) {
    RtString copy(commandLine);
    tvk::ShutdownRuntime();
    RtNumber ignored = 0;
    RunProcess(copy, 0, 1, ignored);
    std::exit(0);
}

void OpenDocument(const RtString& path) {
    // The runtime lets go of the display first, so the opened document can take the screen.
    tvk::ShutdownRuntime();
    std::string target(path.c_str(), path.Length());
    for (char& c : target)
        if (c == '\\') c = '/';
    tvk::platform::OpenWithDesktop(target);
    EndProgram();
}
