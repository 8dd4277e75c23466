// Commands of the gfx2d subsystem.
#pragma once

#include "tarnvik/rt_string.h"
