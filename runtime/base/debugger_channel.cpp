#include "base/debugger_channel.h"

#include "platform/system.h"

namespace tvk {

bool DebuggerAttached() { return platform::DebuggerPresent(); }

void SendDebuggerText(const char* text) {
    if (text && platform::DebuggerPresent()) platform::DebuggerOutput(text);
}

bool DebuggerCanStop() { return platform::DebuggerChannelOpen(); }

bool StopAndWaitForDebugger(const char* text) { return platform::DebuggerStop(text); }

}  // namespace tvk
