// Stands until the joystick subsystem exists, which replaces this file with its own reading.
#include "input/joystick_wait_check.h"

namespace tvk {

bool SampleJoystickForWait(InputDevices*, int, JoystickWaitReading&) { return false; }

}  // namespace tvk
