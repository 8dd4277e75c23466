// Presenting frames and servicing the window between them.
#pragma once

#include "base/frame_state.h"

namespace tvk {

class OpenGLDodurudo;
namespace platform {
struct Event;
}

// Swaps, clears, and waits for the next frame slot while pumping messages. Returns 1.
int PresentFrame(OpenGLDodurudo* renderer, MessageCallback callback);
// Handles every pending window event; with a callback it runs before each one. Returns 1.
int PumpMessages(OpenGLDodurudo* renderer, MessageCallback callback);
// Keeps the window answering between frames: the music loop check, then every pending message
// (with the program's message callback when it has one).
void ServiceWindow();
// What the main window does with one event (close, focus, input).
void HandleWindowEvent(const platform::Event& event);

}  // namespace tvk
