// Commands of the path subsystem.
#pragma once

#include "tarnvik/rt_string.h"
