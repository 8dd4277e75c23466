// Music playback as the frame loop and shutdown see it.
#pragma once

namespace tvk {

// Restarts looping music once its loop deadline has passed.
void MusicLoopCheck();
void StopMusic();

}  // namespace tvk
