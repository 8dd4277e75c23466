// Commands of the files subsystem.
#pragma once

#include "tarnvik/rt_string.h"
