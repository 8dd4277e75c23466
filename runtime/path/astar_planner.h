// A* over the cost grid with a sorted open list: the search every path result is defined by.
#pragma once

#include "path/planner.h"

namespace tvk {

class AStarPlanner : public Planner {
public:
    AStarPlanner() = default;
    ~AStarPlanner() override;

    void BeginSearch() override;
    // Ends without a path when the node pool or the open list runs out of room.
    bool Search() override;

private:
    // Index of the open node on cell (x, y), scanning from the back; -1 when there is none.
    int32_t FindOpen(int32_t x, int32_t y) const;
    // Inserts in front of every node of equal key, so equal keys leave first in, first out.
    void InsertSorted(Node* node);
    bool Abandon(Node* current);
};

}  // namespace tvk
