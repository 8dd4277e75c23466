// RtArray: the runtime's array of up to four dimensions, first index fastest, every access checked.
#pragma once

#include <cstdint>

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

// Sets the sizes and clears every element; storage is replaced only when it is too small.
template <class T>
void DimArray(RtArray<T>& a, RtInt size0, RtInt size1 = 0, RtInt size2 = 0, RtInt size3 = 0);
// New sizes, keeping the elements whose indices exist in both shapes. size0 < 1 empties the array.
template <class T>
void RedimArray(RtArray<T>& a, RtInt size0, RtInt size1 = 0, RtInt size2 = 0, RtInt size3 = 0);
// The target takes the source's sizes and a copy of every element.
template <class T>
void CopyArray(RtArray<T>& target, const RtArray<T>& source);
// A one-dimensional array of count elements set from values; count <= 0 leaves it empty.
template <class T>
void FillArray(RtArray<T>& a, RtInt count, const T* values);
// That dimension's size (0..3); any other dimension gives 0.
template <class T>
RtInt ArraySize(const RtArray<T>& a, RtInt dimension);
// Appends one element to a one-dimensional array; error 8 and the end of the program otherwise.
template <class T>
void PushElement(RtArray<T>& a, const T& value);

// Checked element access; a negative first index counts from the end (-1 is the last).
// An illegal index records error 9 and ends the program.
template <class T>
T& ArrayElement(RtArray<T>& a, RtInt i);
template <class T>
T& ArrayElement(RtArray<T>& a, RtInt i, RtInt j);
template <class T>
T& ArrayElement(RtArray<T>& a, RtInt i, RtInt j, RtInt k);
template <class T>
T& ArrayElement(RtArray<T>& a, RtInt i, RtInt j, RtInt k, RtInt l);
