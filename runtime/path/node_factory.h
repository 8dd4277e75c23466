// A pool of nodes allocated before a search, so the search itself never allocates.
#pragma once

#include <cstdint>
#include <memory>

#include "path/node.h"

namespace tvk {

class NodeFactory {
public:
    NodeFactory() = default;
    NodeFactory(const NodeFactory&) = delete;
    NodeFactory& operator=(const NodeFactory&) = delete;
    virtual ~NodeFactory() = default;

    // Replaces the pool with `count` fresh nodes; false (and an empty pool) when that
    // much memory is not available.
    bool Resize(int32_t count);
    // The next free node, or null once the pool is used up.
    Node* Take();
    // Nodes go back in bulk only: the last `count` taken become free again.
    void Release(int32_t count);

    int32_t Capacity() const { return capacity_; }
    int32_t Taken() const { return next_; }

private:
    std::unique_ptr<Node[]> nodes_;
    int32_t capacity_ = 0;
    int32_t next_ = 0;
};

}  // namespace tvk
