#include "path/node_hash_table.h"

#include <algorithm>
#include <new>

namespace tvk {

bool NodeHashTable::Resize(int32_t bits) {
    bits = std::clamp(bits, 0, kMaxBits) & ~1;
    buckets_.reset(new (std::nothrow) Node*[size_t{1} << bits]());
    foundLink_ = nullptr;
    count_ = 0;
    if (!buckets_) {
        bits_ = shift_ = mask_ = 0;
        return false;
    }
    bits_ = bits;
    shift_ = bits / 2;
    mask_ = (int32_t{1} << shift_) - 1;
    return true;
}

void NodeHashTable::Insert(Node* node) {
    if (!buckets_) return;
    Node*& head = buckets_[BucketOf(node->x, node->y)];
    for (Node* n = head; n; n = n->bucketNext) {
        if (n == node) return;
    }
    node->bucketNext = head;
    head = node;
    ++count_;
}

Node* NodeHashTable::Find(int32_t x, int32_t y) {
    foundLink_ = nullptr;
    if (!buckets_) return nullptr;
    for (Node** link = &buckets_[BucketOf(x, y)]; *link; link = &(*link)->bucketNext) {
        if ((*link)->x == x && (*link)->y == y) {
            foundLink_ = link;
            return *link;
        }
    }
    return nullptr;
}

void NodeHashTable::RemoveFound() {
    if (!foundLink_) return;
    *foundLink_ = (*foundLink_)->bucketNext;
    foundLink_ = nullptr;
    --count_;
}

void NodeHashTable::Clear() {
    if (buckets_) std::fill_n(buckets_.get(), BucketCount(), nullptr);
    foundLink_ = nullptr;
    count_ = 0;
}

}  // namespace tvk
