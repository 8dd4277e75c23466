// Commands of the sound subsystem.
#pragma once

#include "tarnvik/rt_string.h"
