// The program's eight file channels.
#pragma once

#include "files/file_stream.h"

namespace tvk {

constexpr int kFileChannelCount = 8;

// The channel's stream, or null for a number outside 0..7.
FileStream* FileChannel(int channel);
void CloseAllFileChannels();

}  // namespace tvk
