// Commands of the path subsystem.
#pragma once

#include "tarnvik/arrays.h"
#include "tarnvik/rt_string.h"

// The cheapest four-neighbour path over a cost map (first index x, second y; values <= 0
// are walls), from (startX, startY) to (goalX, goalY). The weight, clamped to 0..1, trades
// cost so far (0) against distance left (1); 0.5 is classic A*. Returns the number of cells,
// start and goal included, and sizes `path` to (count, 2) with x in column 0 and y in
// column 1. Returns 0 with an empty `path` when the goal cannot be reached, and 0 with
// `path` untouched when the query is refused: start or goal off the map, start equal to
// goal, no positive cell, or a map of more than 2^26 cells.
RtInt FindPath(const RtNumberArray& map, RtIntArray& path, RtNumber weight, RtInt startX,
               RtInt startY, RtInt goalX, RtInt goalY);
RtInt FindPath(const RtNumberArray& map, RtNumberArray& path, RtNumber weight, RtInt startX,
               RtInt startY, RtInt goalX, RtInt goalY);
RtInt FindPath(const RtIntArray& map, RtIntArray& path, RtNumber weight, RtInt startX,
               RtInt startY, RtInt goalX, RtInt goalY);
