// RtArray: the runtime's array of up to four dimensions, first index fastest, every access checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

#include "tarnvik/rt_string.h"

using RtByte = uint8_t;

// How storage for one element type is sized: when the storage is replaced its capacity becomes
// (count rounded down to a multiple of kCapacityStep) + kCapacityStep, or nothing at all for a count
// of 0 when kNoStorageWhenEmpty is set. Record types generated for a program take the default.
template <class T>
struct RtArrayTraits {
    static constexpr int32_t kCapacityStep = 64;
    static constexpr bool kNoStorageWhenEmpty = true;
};
template <>
struct RtArrayTraits<RtNumber> {
    static constexpr int32_t kCapacityStep = 8;
    static constexpr bool kNoStorageWhenEmpty = false;
};
template <>
struct RtArrayTraits<RtInt> {
    static constexpr int32_t kCapacityStep = 8;
    static constexpr bool kNoStorageWhenEmpty = false;
};

template <class T>
struct RtArray {
    RtArray() = default;
    RtArray(const RtArray& other);
    RtArray(RtArray&& other) noexcept;
    RtArray& operator=(const RtArray& other);
    RtArray& operator=(RtArray&& other) noexcept;
    ~RtArray();

    // Fields in this order; debuggers read arrays through the variable tables.
    T* data = nullptr;
    int32_t stride1 = 0;  // step of the second index (= size0)
    int32_t stride2 = 0;  // step of the third index (size0 * size1)
    int32_t stride3 = 0;  // step of the fourth index (size0 * size1 * size2)
    int32_t size0 = 0;
    int32_t size1 = 0;  // 0 when the dimension is unused
    int32_t size2 = 0;
    int32_t size3 = 0;
    int32_t dimensions = 0;
    int32_t capacity = 0;  // elements the storage holds
};

using RtNumberArray = RtArray<RtNumber>;
using RtIntArray = RtArray<RtInt>;
using RtStringArray = RtArray<RtString>;
using RtByteArray = RtArray<RtByte>;

// Array commands. Sizes count elements per dimension; a size of 0 or less leaves that dimension
// unused. Running out of memory records error 7 and ends the program.

/// Gives an array new sizes and clears every element; storage is replaced only when it is too small.
/// a: the array
/// size0: elements along the first index; <= 0 empties the array
/// size1: elements along the second index, 0 = unused
/// size2: elements along the third index, 0 = unused
/// size3: elements along the fourth index, 0 = unused
/// Errors: 7 (and the end of the program) when the array is too large or memory runs out
template <class T>
void DimArray(RtArray<T>& a, RtInt size0, RtInt size1 = 0, RtInt size2 = 0, RtInt size3 = 0);
/// Gives an array new sizes, keeping the elements whose indices exist in both shapes; new ones are cleared.
/// a: the array
/// size0: elements along the first index; < 1 empties the array
/// size1: elements along the second index, 0 = unused
/// size2: elements along the third index, 0 = unused
/// size3: elements along the fourth index, 0 = unused
/// Errors: 7 (and the end of the program) when the array is too large or memory runs out
template <class T>
void RedimArray(RtArray<T>& a, RtInt size0, RtInt size1 = 0, RtInt size2 = 0, RtInt size3 = 0);
/// Makes one array a copy of another: its sizes and every element.
/// target: the array that becomes the copy
/// source: the array copied
/// Errors: 7 (and the end of the program) when memory runs out
template <class T>
void CopyArray(RtArray<T>& target, const RtArray<T>& source);
/// Makes a one-dimensional array of count elements set from a list of values.
/// a: the array
/// count: number of elements; <= 0 leaves it empty
/// values: count values (null leaves the elements cleared)
/// Errors: 7 (and the end of the program) when memory runs out
template <class T>
void FillArray(RtArray<T>& a, RtInt count, const T* values);
/// Gives the size of one dimension of an array.
/// a: the array
/// dimension: 0 … 3
/// Returns: that dimension's size in elements; 0 for an unused dimension or any other number
template <class T>
RtInt ArraySize(const RtArray<T>& a, RtInt dimension);
/// Appends one element to a one-dimensional (or empty) array.
/// a: the array
/// value: the new last element (may be one of a's own elements)
/// Errors: 8 (and the end of the program) for an array of more than one dimension; 7 when memory runs out
template <class T>
void PushElement(RtArray<T>& a, const T& value);

/// Gives checked access to an element, by one to four indices.
/// a: the array
/// i: first index, 0 … size0 − 1; a negative index counts from the end (−1 is the last)
/// j: second index, 0 … size1 − 1 (0 when the dimension is unused)
/// k: third index, 0 … size2 − 1 (0 when unused)
/// l: fourth index, 0 … size3 − 1 (0 when unused)
/// Returns: the element
/// Errors: 9 (and the end of the program; an attached debugger is told the sizes and indices) for an index
/// outside the array
template <class T>
T& ArrayElement(RtArray<T>& a, RtInt i);
template <class T>
T& ArrayElement(RtArray<T>& a, RtInt i, RtInt j);
template <class T>
T& ArrayElement(RtArray<T>& a, RtInt i, RtInt j, RtInt k);
template <class T>
T& ArrayElement(RtArray<T>& a, RtInt i, RtInt j, RtInt k, RtInt l);
template <class T>
const T& ArrayElement(const RtArray<T>& a, RtInt i, RtInt j = 0, RtInt k = 0, RtInt l = 0);

// ---- Implementation: templates, so the record arrays of a program use the same code. ----

namespace tvk {

// Largest element count: the capacity, which adds one step, must stay a 32-bit signed number.
constexpr int64_t kMaxArrayElements = INT32_MAX - 64;

// Error 9 after telling an attached debugger the sizes and the indices, then the end of the
// program. Never returns: an access that comes while the program is already ending (from the
// quit callback, say) ends the process at once rather than touching memory it does not own.
[[noreturn]] void ReportArrayBounds(const int32_t sizes[4], RtInt i, RtInt j, RtInt k, RtInt l);
// Error 7 and the end of the program.
void ReportArrayOutOfMemory();
// Error 8 and the end of the program.
void ReportArrayNotOneDimensional();

template <class T>
void ClearArrayElement(T& element) {
    element = T();
}
// A cleared string gives its buffer back.
inline void ClearArrayElement(RtString& element) { element.Release(); }

template <class T>
int64_t ArrayElementCount(const RtArray<T>& a) {
    auto atLeastOne = [](int32_t size) { return int64_t(size > 1 ? size : 1); };
    return int64_t(a.size0) * atLeastOne(a.size1) * atLeastOne(a.size2) * atLeastOne(a.size3);
}

// Storage for capacity elements, each in its cleared state; null when memory runs out.
template <class T>
T* AllocateArrayStorage(int32_t capacity) {
    void* raw = ::operator new(sizeof(T) * static_cast<size_t>(capacity), std::nothrow);
    if (!raw) return nullptr;
    T* storage = static_cast<T*>(raw);
    for (int32_t n = 0; n < capacity; ++n) new (storage + n) T();
    return storage;
}

template <class T>
void FreeArrayStorage(RtArray<T>& a) {
    if (a.data) {
        for (int32_t n = 0; n < a.capacity; ++n) a.data[n].~T();
        ::operator delete(a.data);
    }
    a.data = nullptr;
    a.capacity = 0;
}

template <class T>
int32_t ArrayCapacityFor(int64_t count) {
    constexpr int64_t step = RtArrayTraits<T>::kCapacityStep;
    if (count == 0 && RtArrayTraits<T>::kNoStorageWhenEmpty) return 0;
    return static_cast<int32_t>(count / step * step + step);
}

// Sizes and strides of a shape. Unused dimensions (0 or negative) are 0. A stride skips a
// whole unused dimension as one, so a shape with a gap (size 1 unused, size 2 used) still
// gives every element its own place.
template <class T>
void SetArrayShape(RtArray<T>& a, RtInt s0, RtInt s1, RtInt s2, RtInt s3) {
    auto used = [](RtInt size) { return size > 0 ? size : 0; };
    auto step = [](RtInt size) { return size > 0 ? size : 1; };
    a.size0 = used(s0);
    // The higher sizes are kept even when size 0 is 0: such an array holds no element, but it
    // still has the dimensions it was given.
    a.size1 = used(s1);
    a.size2 = used(s2);
    a.size3 = used(s3);
    a.stride1 = a.size0;
    a.stride2 = (a.size1 || a.size2 || a.size3) ? a.size0 * step(a.size1) : 0;
    a.stride3 = (a.size2 || a.size3) ? a.size0 * step(a.size1) * step(a.size2) : 0;
    a.dimensions = a.size3 ? 4 : a.size2 ? 3 : a.size1 ? 2 : a.size0 ? 1 : 0;
}

// Elements beyond the element count are always kept cleared, so a shape that grows within
// the capacity finds them ready.
template <class T>
void ClearArrayElements(RtArray<T>& a, int64_t from, int64_t to) {
    for (int64_t n = from; n < to; ++n) ClearArrayElement(a.data[n]);
}

// Out of line and without return, so the loops around an access keep their values in
// registers instead of preserving them for a call that never comes back.
template <class T>
[[noreturn, gnu::cold, gnu::noinline]] void ArrayAccessFailed(const RtArray<T>& a, RtInt i, RtInt j, RtInt k, RtInt l) {
    const int32_t sizes[4] = {a.size0, a.size1, a.size2, a.size3};
    ReportArrayBounds(sizes, i, j, k, l);
}

inline bool ArrayIndexFits(RtInt index, int32_t size) {
    // An unused dimension (size 0) admits index 0 only.
    return static_cast<uint32_t>(index) < static_cast<uint32_t>(size + (size == 0));
}

// Count of elements for a requested shape, or -1 when it is too large to hold.
int64_t RequestedElementCount(RtInt s0, RtInt s1, RtInt s2, RtInt s3);

}  // namespace tvk

template <class T>
RtArray<T>::RtArray(const RtArray& other) {
    CopyArray(*this, other);
}

template <class T>
RtArray<T>::RtArray(RtArray&& other) noexcept {
    *this = std::move(other);
}

template <class T>
RtArray<T>& RtArray<T>::operator=(const RtArray& other) {
    CopyArray(*this, other);
    return *this;
}

template <class T>
RtArray<T>& RtArray<T>::operator=(RtArray&& other) noexcept {
    if (this != &other) {
        tvk::FreeArrayStorage(*this);
        data = std::exchange(other.data, nullptr);
        stride1 = std::exchange(other.stride1, 0);
        stride2 = std::exchange(other.stride2, 0);
        stride3 = std::exchange(other.stride3, 0);
        size0 = std::exchange(other.size0, 0);
        size1 = std::exchange(other.size1, 0);
        size2 = std::exchange(other.size2, 0);
        size3 = std::exchange(other.size3, 0);
        dimensions = std::exchange(other.dimensions, 0);
        capacity = std::exchange(other.capacity, 0);
    }
    return *this;
}

template <class T>
RtArray<T>::~RtArray() {
    tvk::FreeArrayStorage(*this);
}

template <class T>
void DimArray(RtArray<T>& a, RtInt size0, RtInt size1, RtInt size2, RtInt size3) {
    int64_t count = tvk::RequestedElementCount(size0, size1, size2, size3);
    if (count < 0 || a.capacity < count || size0 <= 0) {
        tvk::FreeArrayStorage(a);
        tvk::SetArrayShape(a, 0, 0, 0, 0);
        int32_t capacity = count < 0 ? 0 : tvk::ArrayCapacityFor<T>(count);
        if (count < 0 || (capacity && !(a.data = tvk::AllocateArrayStorage<T>(capacity)))) {
            tvk::ReportArrayOutOfMemory();
            return;
        }
        a.capacity = capacity;
    } else {
        tvk::ClearArrayElements(a, 0, tvk::ArrayElementCount(a));
    }
    tvk::SetArrayShape(a, size0, size1, size2, size3);
}

template <class T>
void RedimArray(RtArray<T>& a, RtInt size0, RtInt size1, RtInt size2, RtInt size3) {
    if (size0 < 1) {
        if (a.data) tvk::ClearArrayElements(a, 0, tvk::ArrayElementCount(a));
        tvk::SetArrayShape(a, 0, 0, 0, 0);
        return;
    }
    if (a.dimensions == 0 || a.size0 == 0) {  // nothing to keep
        DimArray(a, size0, size1, size2, size3);
        return;
    }
    int64_t count = tvk::RequestedElementCount(size0, size1, size2, size3);
    bool oneDimensional = a.dimensions == 1 && size1 <= 0 && size2 <= 0 && size3 <= 0;
    if (oneDimensional && count >= 0 && count <= a.capacity) {
        // Same layout: the kept elements stay where they are.
        tvk::ClearArrayElements(a, count, a.size0);
        tvk::SetArrayShape(a, size0, 0, 0, 0);
        return;
    }
    RtArray<T> reshaped;
    DimArray(reshaped, size0, size1, size2, size3);
    if (!reshaped.dimensions) return;  // out of memory while the program is ending
    auto keep = [](int32_t oldSize, int32_t newSize) {
        int32_t o = oldSize > 0 ? oldSize : 1, n = newSize > 0 ? newSize : 1;
        return o < n ? o : n;
    };
    int32_t keep0 = keep(a.size0, reshaped.size0), keep1 = keep(a.size1, reshaped.size1);
    int32_t keep2 = keep(a.size2, reshaped.size2), keep3 = keep(a.size3, reshaped.size3);
    for (int32_t l = 0; l < keep3; ++l)
        for (int32_t k = 0; k < keep2; ++k)
            for (int32_t j = 0; j < keep1; ++j) {
                T* from = a.data + j * a.stride1 + k * a.stride2 + l * a.stride3;
                T* to = reshaped.data + j * reshaped.stride1 + k * reshaped.stride2 + l * reshaped.stride3;
                for (int32_t i = 0; i < keep0; ++i) to[i] = std::move(from[i]);
            }
    a = std::move(reshaped);
}

template <class T>
void CopyArray(RtArray<T>& target, const RtArray<T>& source) {
    if (&target == &source) return;
    DimArray(target, source.size0, source.size1, source.size2, source.size3);
    if (target.size0 != source.size0) return;  // out of memory while the program is ending
    int64_t count = tvk::ArrayElementCount(source);
    for (int64_t n = 0; n < count; ++n) target.data[n] = source.data[n];
}

template <class T>
void FillArray(RtArray<T>& a, RtInt count, const T* values) {
    DimArray(a, count);
    if (!values || a.size0 != count) return;
    for (RtInt n = 0; n < count; ++n) a.data[n] = values[n];
}

template <class T>
RtInt ArraySize(const RtArray<T>& a, RtInt dimension) {
    switch (dimension) {
        case 0: return a.size0;
        case 1: return a.size1;
        case 2: return a.size2;
        case 3: return a.size3;
        default: return 0;
    }
}

template <class T>
void PushElement(RtArray<T>& a, const T& value) {
    if (a.dimensions > 1) {
        tvk::ReportArrayNotOneDimensional();
        return;
    }
    T copy(value);  // value may be one of a's own elements, which the growth moves
    RtInt last = a.size0;
    RedimArray(a, last + 1);
    if (a.size0 == last + 1) a.data[last] = std::move(copy);
}

template <class T>
inline T& ArrayElement(RtArray<T>& a, RtInt i) {
    if (i < 0) i += a.size0;
    // size0 > 0 implies storage, and every unused index is 0.
    if (static_cast<uint32_t>(i) < static_cast<uint32_t>(a.size0)) return a.data[i];
    tvk::ArrayAccessFailed(a, i, 0, 0, 0);
}

template <class T>
inline T& ArrayElement(RtArray<T>& a, RtInt i, RtInt j) {
    if (i < 0) i += a.size0;
    if (static_cast<uint32_t>(i) < static_cast<uint32_t>(a.size0) && tvk::ArrayIndexFits(j, a.size1))
        return a.data[i + j * a.stride1];
    tvk::ArrayAccessFailed(a, i, j, 0, 0);
}

template <class T>
inline T& ArrayElement(RtArray<T>& a, RtInt i, RtInt j, RtInt k) {
    if (i < 0) i += a.size0;
    if (static_cast<uint32_t>(i) < static_cast<uint32_t>(a.size0) && tvk::ArrayIndexFits(j, a.size1) &&
        tvk::ArrayIndexFits(k, a.size2))
        return a.data[i + j * a.stride1 + k * a.stride2];
    tvk::ArrayAccessFailed(a, i, j, k, 0);
}

template <class T>
inline T& ArrayElement(RtArray<T>& a, RtInt i, RtInt j, RtInt k, RtInt l) {
    if (i < 0) i += a.size0;
    if (static_cast<uint32_t>(i) < static_cast<uint32_t>(a.size0) && tvk::ArrayIndexFits(j, a.size1) &&
        tvk::ArrayIndexFits(k, a.size2) && tvk::ArrayIndexFits(l, a.size3))
        return a.data[i + j * a.stride1 + k * a.stride2 + l * a.stride3];
    tvk::ArrayAccessFailed(a, i, j, k, l);
}

template <class T>
inline const T& ArrayElement(const RtArray<T>& a, RtInt i, RtInt j, RtInt k, RtInt l) {
    return ArrayElement(const_cast<RtArray<T>&>(a), i, j, k, l);
}
