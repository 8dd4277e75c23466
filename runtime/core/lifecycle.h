// Creating and releasing the process-wide runtime objects, in their fixed orders.
#pragma once

#include "tarnvik/rt_string.h"

namespace tvk {

// Show mode 0 keeps the window hidden for the whole run. Returns 0 when the display could
// not be made (nothing else is created then); otherwise 1.
int InitRuntime(void* instance, int showMode, const RtString& title);
void ShutdownRuntime();
bool RuntimeEnding();

// The start-up show mode: TVK_SHOW=0 hides the window, anything else shows it.
int ShowModeFromEnvironment();

void SetStoredWindowTitle(const RtString& title);

}  // namespace tvk
