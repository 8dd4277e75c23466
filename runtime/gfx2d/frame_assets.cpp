#include "gfx2d/frame_assets.h"

namespace tvk {

void DisableActiveShader() {}

}  // namespace tvk
