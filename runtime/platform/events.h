// Window-system events in the runtime's own terms.
#pragma once

#include <cstdint>

namespace tvk::platform {

enum class EventType : uint8_t {
    None,
    CloseRequest,  // the close button, the window manager, or a quit request
    FocusGained,
    FocusLost,
    KeyDown,
    KeyUp,
    MouseMotion,
    MouseButtonDown,
    MouseButtonUp,
    MouseWheel,
    TextInput,
    Other,  // anything the runtime does not act on
};

struct Event {
    EventType type = EventType::None;
    int keyCode = 0;     // key events: the 0..255 key code (PC scan code, extended keys + 128), 0 if unmapped
    int keyChar = 0;     // key events: the layout's unshifted character for the key, 0 if none;
                         // text input: the character typed (Shift and AltGr applied), 0 if none
    bool repeat = false;
    int x = 0, y = 0;    // mouse: position in drawing-area pixels
    int dx = 0, dy = 0;  // mouse: relative motion; wheel: dy is the wheel motion
    int button = 0;      // 1 left, 2 middle, 3 right, 4 and 5 extra
};

// True when an event is waiting (it stays queued).
bool PeekEvent();
// Takes the next event; false when the queue is empty.
bool PollEvent(Event& event);
// Takes the next key press, key release or typed text that the window system has, leaving
// every other event queued: a program polling keys without presenting frames still sees them
// change.
bool PollKeyEvent(Event& event);
// Puts an event at the end of the queue, as if the window system had sent it.
bool PushEvent(const Event& event);
// Empties the queue (at shutdown).
void DiscardPendingEvents();

}  // namespace tvk::platform
