// User functions called by name, and the pause state they announce.
#include <cstring>
#include <string>

#include "base/debugger_channel.h"
#include "base/frame_state.h"
#include "base/timer.h"

namespace tvk {
namespace {
const NameEntry* g_nameTable = nullptr;

const NameEntry* FindUserFunction(const char* name) {
    for (const NameEntry* e = g_nameTable; e && e->function; ++e)
        if (std::strcmp(e->name, name) == 0) return e;
    return nullptr;
}
}  // namespace

FrameState& Frame() {
    static FrameState state;
    return state;
}

void SetNameTable(const NameEntry* table) { g_nameTable = table; }

MessageCallback ResolveMessageCallback() {
    FrameState& f = Frame();
    if (f.messageCallbackState == -1) {
        const NameEntry* e = FindUserFunction("TVK_WIN32_MSG");
        f.messageCallback = e ? e->function : nullptr;
        f.messageCallbackState = e ? 1 : 0;
    }
    return f.messageCallback;
}

void ResetFrameClock() {
    double now = ReadTimer();
    Frame().currentFrameTime = now;
    Frame().previousFrameTime = now;
    SetTimerStartOffset(now);
}

}  // namespace tvk

RtNumber CallByName(const RtString& name) {
    if (const NameEntry* e = tvk::FindUserFunction(name.c_str())) {
        e->function();
        return 1;
    }
    if (std::strcmp(name.c_str(), "TVK_ON_QUIT") != 0 && std::strcmp(name.c_str(), "TVK_WIN32_MSG") != 0) {
        std::string text = std::string("TX") + "CALLBYNAME " + "\"" + name.c_str() + "\"" + " *** failed ***" + "\n";
        tvk::SendDebuggerText(text.c_str());
    }
    return 0;
}

void SetPaused(RtInt flag) {
    tvk::FrameState& f = tvk::Frame();
    RtInt wanted = flag != 0 ? 1 : 0;
    if (wanted != f.paused) {
        f.paused = wanted;
        CallByName(wanted ? "TVK_ON_PAUSE" : "TVK_ON_RESUME");
    }
    f.paused = wanted;
}

void SetAutoPause(RtInt flag) { tvk::Frame().autoPause = flag != 0; }
void SetEscapeEnds(RtNumber value) { tvk::Frame().escapeEnds = value != 0; }
RtInt GetEscapeEnds() { return tvk::Frame().escapeEnds ? 1 : 0; }
