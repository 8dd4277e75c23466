#include <SDL2/SDL.h>

#include "platform/dialogs.h"
#include "platform/text_encoding.h"

namespace tvk::platform {

void ShowWarningBox(const char* caption, const char* text) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, Latin1ToUtf8(caption).c_str(), Latin1ToUtf8(text).c_str(),
                             nullptr);
}

}  // namespace tvk::platform
