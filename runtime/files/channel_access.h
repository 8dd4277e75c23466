// Shared by the channel commands: the channel to work on, or the program ends.
#pragma once

#include <cstdint>

#include "files/file_stream.h"

namespace tvk {

// Records code, says what went wrong with the channel and ends the program (returns only
// while the program is already ending).
void EndWithError(int32_t code, int32_t channel, const char* what);
// The channel's stream; a number outside 0..7 records error 7, ends the program and gives null.
FileStream* ChannelOrEnd(int32_t channel);

}  // namespace tvk
