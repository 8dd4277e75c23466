// The event queue over SDL2. Injected events travel through SDL's own queue so that
// they keep their order relative to real ones.
#include <SDL2/SDL.h>

#include "platform/events.h"
#include "platform/sdl_keymap.h"
#include "platform/window.h"

namespace tvk::platform {
namespace {

Uint32 InjectedEventType() {
    static Uint32 type = SDL_RegisterEvents(1);
    return type;
}

int KeyCharOf(SDL_Scancode scancode) { return KeyCharFromSdlKeycode(SDL_GetKeyFromScancode(scancode)); }

Event Translate(const SDL_Event& e) {
    Event out;
    out.type = EventType::Other;
    if (e.type == InjectedEventType()) {
        Event* injected = static_cast<Event*>(e.user.data1);
        out = *injected;
        delete injected;
        return out;
    }
    switch (e.type) {
        case SDL_QUIT: out.type = EventType::CloseRequest; break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) out.type = EventType::CloseRequest;
            else if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) out.type = EventType::FocusGained;
            else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) out.type = EventType::FocusLost;
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            out.type = e.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
            out.keyCode = KeyCodeFromSdlScancode(e.key.keysym.scancode);
            out.keyChar = KeyCharOf(e.key.keysym.scancode);
            out.repeat = e.key.repeat != 0;
            break;
        case SDL_MOUSEMOTION:
            out.type = EventType::MouseMotion;
            out.x = e.motion.x;
            out.y = e.motion.y;
            out.dx = e.motion.xrel;
            out.dy = e.motion.yrel;
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            out.type = e.type == SDL_MOUSEBUTTONDOWN ? EventType::MouseButtonDown : EventType::MouseButtonUp;
            out.x = e.button.x;
            out.y = e.button.y;
            out.button = e.button.button;
            break;
        case SDL_MOUSEWHEEL:
            out.type = EventType::MouseWheel;
            out.dy = e.wheel.y;
            break;
        case SDL_TEXTINPUT:
            out.type = EventType::TextInput;
            out.keyChar = CharFromUtf8Text(e.text.text);
            break;
        default: break;
    }
    return out;
}

}  // namespace

// SDL_PollEvent may end a poll cycle at an internal marker while SDL_PeepEvents already sees
// the events behind it, so a peek takes the event itself and keeps it for the next poll.
namespace {
Event g_peeked;
bool g_hasPeeked = false;

bool PollSdl(Event& event) {
    SDL_Event e;
    if (!SDL_PollEvent(&e)) return false;
    event = Translate(e);
    return true;
}
}  // namespace

bool PeekEvent() {
    if (!InitVideo()) return false;
    if (!g_hasPeeked) g_hasPeeked = PollSdl(g_peeked);
    return g_hasPeeked;
}

bool PollEvent(Event& event) {
    if (!InitVideo()) return false;
    if (g_hasPeeked) {
        event = g_peeked;
        g_hasPeeked = false;
        return true;
    }
    return PollSdl(event);
}

bool PollKeyEvent(Event& event) {
    if (!InitVideo()) return false;
    bool peekedIsKey = g_peeked.type == EventType::KeyDown || g_peeked.type == EventType::KeyUp ||
                       g_peeked.type == EventType::TextInput;
    if (g_hasPeeked && peekedIsKey) {  // it came before anything still in SDL's queue
        event = g_peeked;
        g_hasPeeked = false;
        return true;
    }
    SDL_PumpEvents();
    SDL_Event e;
    // Text comes right behind the press it belongs to and must stay with it.
    if (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_KEYDOWN, SDL_TEXTINPUT) != 1) return false;
    event = Translate(e);
    return true;
}

bool PushEvent(const Event& event) {
    if (!InitVideo()) return false;
    SDL_Event e{};
    e.type = InjectedEventType();
    e.user.data1 = new Event(event);
    if (SDL_PushEvent(&e) != 1) {
        delete static_cast<Event*>(e.user.data1);
        return false;
    }
    return true;
}

void DiscardPendingEvents() {
    Event ignored;
    while (PollEvent(ignored)) {
    }
}

}  // namespace tvk::platform
