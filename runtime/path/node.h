// One search node of the path planner: a cell reached from its parent at cost g.
#pragma once

#include <cstdint>

namespace tvk {

// Trivial on purpose: a pool of a million nodes is allocated without touching its pages,
// and every field is set when a node is taken.
struct Node {
    Node* parent;      // null for the start cell
    int32_t x;
    int32_t y;
    float f;           // ordering key, the lowest leaves the open list first
    float g;           // summed cost from the start
    Node* bucketNext;  // chain link inside NodeHashTable
};

}  // namespace tvk
