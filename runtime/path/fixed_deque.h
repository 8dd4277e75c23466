// A ring buffer of fixed capacity. Besides both ends it supports insertion and removal at
// any index, which rebuild the live elements in order in a second array.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <utility>

namespace tvk {

template <typename T>
class FixedDeque {
public:
    FixedDeque() = default;
    FixedDeque(const FixedDeque&) = delete;
    FixedDeque& operator=(const FixedDeque&) = delete;
    virtual ~FixedDeque() = default;

    // Replaces the storage with room for `capacity` elements and empties the deque.
    // False (capacity 0) when the memory is not available.
    bool Resize(int32_t capacity) {
        items_.reset();
        scratch_.reset();
        capacity_ = 0;
        clear();
        if (capacity <= 0) return capacity == 0;
        items_.reset(new (std::nothrow) T[capacity]);
        scratch_.reset(new (std::nothrow) T[capacity]);
        if (!items_ || !scratch_) {
            items_.reset();
            scratch_.reset();
            return false;
        }
        capacity_ = capacity;
        return true;
    }

    int32_t capacity() const { return capacity_; }
    bool empty() const { return empty_; }
    bool full() const { return !empty_ && head_ == tail_; }
    int32_t size() const {
        if (empty_) return 0;
        return tail_ > head_ ? tail_ - head_ : capacity_ + tail_ - head_;
    }

    // Element i counted from the front; the caller keeps i below size().
    T& operator[](int32_t i) { return items_[Wrap(int64_t{head_} + i)]; }
    const T& operator[](int32_t i) const { return items_[Wrap(int64_t{head_} + i)]; }
    T& front() { return items_[head_]; }
    T& back() { return items_[Wrap(int64_t{tail_} + capacity_ - 1)]; }

    bool push_back(const T& value) {
        if (full() || capacity_ == 0) return false;
        items_[tail_] = value;
        tail_ = Wrap(int64_t{tail_} + 1);
        empty_ = false;
        return true;
    }

    bool push_front(const T& value) {
        if (full() || capacity_ == 0) return false;
        head_ = Wrap(int64_t{head_} + capacity_ - 1);
        items_[head_] = value;
        empty_ = false;
        return true;
    }

    void pop_back() {
        if (empty_) return;
        tail_ = Wrap(int64_t{tail_} + capacity_ - 1);
        empty_ = head_ == tail_;
    }

    void pop_front() {
        if (empty_) return;
        head_ = Wrap(int64_t{head_} + 1);
        empty_ = head_ == tail_;
    }

    // Inserts before element i (i == size() appends). False when full or i is out of range.
    bool insert(int32_t i, const T& value) {
        const int32_t count = size();
        if (i < 0 || i > count || count >= capacity_) return false;
        for (int32_t k = 0; k < i; ++k) scratch_[k] = (*this)[k];
        scratch_[i] = value;
        for (int32_t k = i; k < count; ++k) scratch_[k + 1] = (*this)[k];
        Adopt(count + 1);
        return true;
    }

    // Removes element i. False when i is out of range.
    bool erase(int32_t i) {
        const int32_t count = size();
        if (i < 0 || i >= count) return false;
        for (int32_t k = 0; k < i; ++k) scratch_[k] = (*this)[k];
        for (int32_t k = i + 1; k < count; ++k) scratch_[k - 1] = (*this)[k];
        Adopt(count - 1);
        return true;
    }

    void clear() {
        head_ = tail_ = 0;
        empty_ = true;
    }

private:
    int32_t Wrap(int64_t i) const { return static_cast<int32_t>(i >= capacity_ ? i - capacity_ : i); }

    // The scratch array, holding `count` elements from index 0, becomes the live one.
    void Adopt(int32_t count) {
        std::swap(items_, scratch_);
        head_ = 0;
        tail_ = Wrap(count);
        empty_ = count == 0;
    }

    std::unique_ptr<T[]> items_;
    std::unique_ptr<T[]> scratch_;
    int32_t capacity_ = 0;
    int32_t head_ = 0;
    int32_t tail_ = 0;  // one past the last element
    bool empty_ = true;
};

}  // namespace tvk
