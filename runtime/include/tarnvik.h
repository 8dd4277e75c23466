// Tarnvik runtime: the whole command set for translated programs.
#pragma once

#include "tarnvik/rt_string.h"
#include "tarnvik/core.h"
#include "tarnvik/debug.h"
#include "tarnvik/values.h"
#include "tarnvik/arrays.h"
#include "tarnvik/files.h"
#include "tarnvik/gfx2d.h"
#include "tarnvik/input.h"
#include "tarnvik/sound.h"
#include "tarnvik/net.h"
#include "tarnvik/gfx3d.h"
#include "tarnvik/path.h"
