// Commands of the gfx3d subsystem.
#pragma once

#include "tarnvik/rt_string.h"
