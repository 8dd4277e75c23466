// Commands of the path subsystem.
#pragma once

#include "tarnvik/arrays.h"
#include "tarnvik/rt_string.h"

/// Finds the cheapest four-neighbour path over a cost map, from the start cell to the goal cell.
/// map: cost of each cell, first index x, second index y; values <= 0 are walls (an integer map is
/// read as numbers)
/// path: receives the path, sized (count, 2): x in column 0, y in column 1, start first; emptied when
/// the goal cannot be reached, untouched when the query is refused
/// weight: clamped to 0 … 1; trades cost so far (0) against distance left (1), 0.5 is classic A*
/// startX: start cell's x, 0 … the map's first size − 1
/// startY: start cell's y, 0 … the map's second size − 1
/// goalX: goal cell's x, 0 … the map's first size − 1
/// goalY: goal cell's y, 0 … the map's second size − 1
/// Returns: the number of cells on the path, start and goal included; 0 when the goal cannot be
/// reached or the query is refused (start or goal off the map, start equal to goal, no positive cell,
/// a map of more than 2^26 cells)
RtInt FindPath(const RtNumberArray& map, RtIntArray& path, RtNumber weight, RtInt startX,
               RtInt startY, RtInt goalX, RtInt goalY);
RtInt FindPath(const RtNumberArray& map, RtNumberArray& path, RtNumber weight, RtInt startX,
               RtInt startY, RtInt goalX, RtInt goalY);
RtInt FindPath(const RtIntArray& map, RtIntArray& path, RtNumber weight, RtInt startX,
               RtInt startY, RtInt goalX, RtInt goalY);
