// File channels opened by the program.
#pragma once

namespace tvk {

void CloseAllFileChannels();

}  // namespace tvk
