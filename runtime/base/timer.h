// The one millisecond clock of the runtime.
#pragma once

namespace tvk {

void InitTimer();
// Stores the current timer value as the start offset that GetElapsedTime subtracts.
void SetTimerStartOffset(double milliseconds);
double TimerStartOffset();

}  // namespace tvk
