// Commands of the net subsystem.
#pragma once

#include "tarnvik/rt_string.h"
