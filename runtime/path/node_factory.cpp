#include "path/node_factory.h"

#include <algorithm>
#include <new>

namespace tvk {

bool NodeFactory::Resize(int32_t count) {
    nodes_.reset();
    capacity_ = 0;
    next_ = 0;
    if (count <= 0) return count == 0;
    nodes_.reset(new (std::nothrow) Node[count]);
    if (!nodes_) return false;
    capacity_ = count;
    return true;
}

Node* NodeFactory::Take() {
    if (next_ >= capacity_) return nullptr;
    return &nodes_[next_++];
}

void NodeFactory::Release(int32_t count) {
    next_ = std::max(0, next_ - std::max(0, count));
}

}  // namespace tvk
