// Text messages to an attached debugger ("TX" texts, "BP" stop notifications).
#pragma once

namespace tvk {

bool DebuggerAttached();
// Sends the text as it stands (the caller adds the "TX" or "BP" prefix); nothing without a debugger.
void SendDebuggerText(const char* text);

// True when a debugger listens on its own channel and can answer stop notifications.
bool DebuggerCanStop();
// Sends a stop notification and suspends the process until the debugger resumes it; false
// (and no wait) when the debugger could not be told.
bool StopAndWaitForDebugger(const char* text);

}  // namespace tvk
