#include "gfx3d/scene.h"

namespace tvk {
Dodurudo3D* g_scene = nullptr;
}
