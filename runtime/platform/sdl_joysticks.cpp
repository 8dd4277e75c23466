#include <SDL2/SDL.h>

#include <algorithm>

#include "platform/joysticks.h"

namespace tvk::platform {
namespace {

struct OpenDevice {
    SDL_Joystick* joystick = nullptr;
    SDL_Haptic* haptic = nullptr;  // opened on the first force
    int effect = -1;               // the last effect made; replaced by the next one
};

std::array<OpenDevice, kMaxJoysticks> g_devices;

uint32_t HatAngle(Uint8 hat) {
    switch (hat) {
        case SDL_HAT_UP: return 0;
        case SDL_HAT_RIGHTUP: return 4500;
        case SDL_HAT_RIGHT: return 9000;
        case SDL_HAT_RIGHTDOWN: return 13500;
        case SDL_HAT_DOWN: return 18000;
        case SDL_HAT_LEFTDOWN: return 22500;
        case SDL_HAT_LEFT: return 27000;
        case SDL_HAT_LEFTUP: return 31500;
        default: return kHatCentred;
    }
}

SDL_Joystick* Device(int index) {
    if (index < 0 || index >= kMaxJoysticks) return nullptr;
    SDL_Joystick* joystick = g_devices[static_cast<size_t>(index)].joystick;
    return joystick && SDL_JoystickGetAttached(joystick) ? joystick : nullptr;
}

}  // namespace

int OpenJoysticks(std::array<std::string, kMaxJoysticks>& names) {
    CloseJoysticks();
    if (!SDL_WasInit(SDL_INIT_JOYSTICK)) {
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return 0;
        SDL_InitSubSystem(SDL_INIT_HAPTIC);  // force feedback is optional
    }
    int count = 0;
    const int attached = SDL_NumJoysticks();
    for (int device = 0; device < attached && count < kMaxJoysticks; ++device) {
        SDL_Joystick* joystick = SDL_JoystickOpen(device);
        if (!joystick) continue;
        const char* name = SDL_JoystickName(joystick);
        std::string product = name ? name : "";
        // The device's own name, then its product name: one and the same on this system.
        names[static_cast<size_t>(count)] = product + ", " + product;
        g_devices[static_cast<size_t>(count)].joystick = joystick;
        ++count;
    }
    return count;
}

void CloseJoysticks() {
    for (OpenDevice& device : g_devices) {
        if (device.haptic) SDL_HapticClose(device.haptic);
        if (device.joystick) SDL_JoystickClose(device.joystick);
        device = OpenDevice{};
    }
}

bool ReadJoystick(int index, JoystickReading& reading) {
    reading = JoystickReading{};
    SDL_JoystickUpdate();
    SDL_Joystick* joystick = Device(index);
    if (!joystick) return false;
    const int axes = std::min<int>(SDL_JoystickNumAxes(joystick), 6);
    for (int axis = 0; axis < axes; ++axis)
        reading.axes[static_cast<size_t>(axis)] = SDL_JoystickGetAxis(joystick, axis);
    if (SDL_JoystickNumHats(joystick) > 0) reading.hat = HatAngle(SDL_JoystickGetHat(joystick, 0));
    const int buttons = std::min<int>(SDL_JoystickNumButtons(joystick), 32);
    for (int button = 0; button < buttons; ++button)
        reading.buttons[static_cast<size_t>(button)] = SDL_JoystickGetButton(joystick, button) ? 0x80 : 0;
    return true;
}

void PlayConstantForce(int index, int durationMs, int32_t directionX, int32_t directionY, int32_t magnitude) {
    SDL_Joystick* joystick = Device(index);
    if (!joystick) return;
    OpenDevice& device = g_devices[static_cast<size_t>(index)];
    if (!device.haptic) device.haptic = SDL_HapticOpenFromJoystick(joystick);
    if (!device.haptic || !(SDL_HapticQuery(device.haptic) & SDL_HAPTIC_CONSTANT)) return;
    SDL_HapticStopAll(device.haptic);
    if (device.effect >= 0) SDL_HapticDestroyEffect(device.haptic, device.effect);
    SDL_HapticEffect effect{};
    effect.type = SDL_HAPTIC_CONSTANT;
    effect.constant.direction.type = SDL_HAPTIC_CARTESIAN;
    effect.constant.direction.dir[0] = directionX;
    effect.constant.direction.dir[1] = directionY;
    effect.constant.length = static_cast<Uint32>(std::max(durationMs, 0));
    // Magnitude 0..10000 becomes the device's level 0..32767.
    effect.constant.level = static_cast<Sint16>(std::clamp(magnitude, 0, 10000) * 32767 / 10000);
    device.effect = SDL_HapticNewEffect(device.haptic, &effect);
    if (device.effect >= 0) SDL_HapticRunEffect(device.haptic, device.effect, 1);
}

}  // namespace tvk::platform
