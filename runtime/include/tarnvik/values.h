// Commands of the values subsystem.
#pragma once

#include "tarnvik/rt_string.h"

void SeedRandom(RtInt seed);
