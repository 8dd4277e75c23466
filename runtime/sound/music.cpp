#include "sound/music.h"

namespace tvk {

void MusicLoopCheck() {}
void StopMusic() {}

}  // namespace tvk
