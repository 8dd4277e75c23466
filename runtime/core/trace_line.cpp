// Line tracking: every statement of a translated program passes through TraceLine, where an
// attached debugger can stop it.
#include <cinttypes>
#include <cstdio>

#include "base/debugger_block.h"
#include "base/debugger_channel.h"
#include "base/error_codes.h"
#include "base/frame_state.h"
#include "base/last_error.h"
#include "input/input_devices.h"
#include "platform/mouse.h"
#include "tarnvik/core.h"
#include "tarnvik/debug.h"

namespace tvk {
namespace {

// Tells the debugger where the block is and waits until it lets the program go on. Back
// from a stop, the window comes to the front at the next frame and the input is fresh.
void StopForDebugger(const DebuggerState& state) {
    if (!DebuggerCanStop()) return;
    char text[32];
    std::snprintf(text, sizeof(text), "BP%" PRIx64, static_cast<uint64_t>(reinterpret_cast<uintptr_t>(&state.block)));
    // A program that holds the pointer lets it go while stopped, so the debugger's user has it.
    const bool pointerHeld = g_input && !g_input->pointerShown;
    if (pointerHeld) {
        platform::SetRelativePointerMode(false);
        platform::ShowPointer(true);
    }
    const bool resumed = StopAndWaitForDebugger(text);
    if (pointerHeld) {
        platform::ShowPointer(false);
        platform::SetRelativePointerMode(true);
    }
    if (!resumed) return;  // the debugger has gone: nothing came back
    FrameState& f = Frame();
    f.paused = 0;
    SampleKeyboard(g_input);
    if (g_input) g_input->mouseSamplePending = true;
    f.activationRequest = true;
}

}  // namespace
}  // namespace tvk

void TraceLine(int32_t file, int32_t line, const void* locals) {
    using namespace tvk;
    LastErrorRecord& record = LastError();
    record.currentFile = file;
    record.currentLine = line;

    DebuggerState& state = Debugger();
    if (!ShouldStop(state, file, line)) return;
    if (state.block.endRequest != 0) {
        SetErrorCode(tvk::kErrorSuccess);
        EndProgram();
        return;  // only while the program is already ending
    }
    FillDebuggerBlock(state, file, line, static_cast<const int64_t*>(locals));
    StopForDebugger(state);
    ApplyDebuggerCommand(state);
}

void DebugRegisterGlobals(const void* globals) {
    tvk::DebuggerState& state = tvk::Debugger();
    state.globals = static_cast<const int64_t*>(globals);
    state.callDepth = 1;
}

void DebugEnterFunction() { ++tvk::Debugger().callDepth; }
void DebugLeaveFunction() { --tvk::Debugger().callDepth; }
