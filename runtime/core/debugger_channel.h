// Text messages to an attached debugger ("TX" texts, "BP" stop notifications).
#pragma once

namespace tvk {

bool DebuggerAttached();
// Sends the text as it stands (the caller adds the "TX" or "BP" prefix); nothing without a debugger.
void SendDebuggerText(const char* text);

}  // namespace tvk
