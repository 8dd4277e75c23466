// The closed set: chained buckets keyed on the low bits of a node's x and y.
#pragma once

#include <cstdint>
#include <memory>

#include "path/node.h"

namespace tvk {

class NodeHashTable {
public:
    static constexpr int32_t kMaxBits = 24;

    NodeHashTable() = default;
    NodeHashTable(const NodeHashTable&) = delete;
    NodeHashTable& operator=(const NodeHashTable&) = delete;
    virtual ~NodeHashTable() = default;

    // 2^bits empty buckets, bits clamped to 0..24 and rounded down to an even number so
    // that x and y contribute equally. False when the buckets cannot be allocated.
    bool Resize(int32_t bits);
    int32_t BucketCount() const { return int32_t{1} << bits_; }
    int32_t BucketOf(int32_t x, int32_t y) const {
        return (x & mask_) | ((y & mask_) << shift_);
    }

    // Puts the node at the head of its chain unless it is already there.
    void Insert(Node* node);
    // The node of cell (x, y), or null. Remembers the link to it for RemoveFound.
    Node* Find(int32_t x, int32_t y);
    // Unlinks the node the last successful Find returned.
    void RemoveFound();
    int32_t Count() const { return count_; }
    void Clear();

private:
    std::unique_ptr<Node*[]> buckets_;
    int32_t bits_ = 0;
    int32_t shift_ = 0;
    int32_t mask_ = 0;
    int32_t count_ = 0;
    Node** foundLink_ = nullptr;
};

}  // namespace tvk
