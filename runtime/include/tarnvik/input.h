// Commands of the input subsystem.
#pragma once

#include "tarnvik/rt_string.h"
