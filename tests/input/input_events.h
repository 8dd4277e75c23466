// Events as the window system would send them, for tests that drive the input object.
#pragma once

#include "platform/events.h"

namespace tvk::test {

using platform::Event;
using platform::EventType;

inline Event KeyEvent(EventType type, int code, int character = 0) {
    Event e;
    e.type = type;
    e.keyCode = code;
    e.keyChar = character;
    return e;
}
inline Event KeyDown(int code, int character = 0) { return KeyEvent(EventType::KeyDown, code, character); }
inline Event KeyUp(int code) { return KeyEvent(EventType::KeyUp, code); }
inline Event TextTyped(int character) { return KeyEvent(EventType::TextInput, 0, character); }

// Motion to (x, y) that moved by (dx, dy).
inline Event Motion(int x, int y, int dx, int dy) {
    Event e;
    e.type = EventType::MouseMotion;
    e.x = x;
    e.y = y;
    e.dx = dx;
    e.dy = dy;
    return e;
}
// Button 1 left, 2 middle, 3 right.
inline Event Button(int button, bool down) {
    Event e;
    e.type = down ? EventType::MouseButtonDown : EventType::MouseButtonUp;
    e.button = button;
    return e;
}
inline Event Wheel(int steps) {
    Event e;
    e.type = EventType::MouseWheel;
    e.dy = steps;
    return e;
}
inline Event Plain(EventType type) {
    Event e;
    e.type = type;
    return e;
}

}  // namespace tvk::test
