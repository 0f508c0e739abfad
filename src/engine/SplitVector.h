#pragma once
// A gap buffer of trivially copyable elements. Edits near the previous edit move only the
// elements between the two places, so inserting a row in the middle of a million rows costs
// little once the gap is there.
#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

#include "engine/LargeMemory.h"

template <class T>
class SplitVector {
    static_assert(std::is_trivially_copyable_v<T>, "elements are moved with memmove");

public:
    SplitVector() = default;
    SplitVector(const SplitVector&) = delete;
    SplitVector& operator=(const SplitVector&) = delete;
    ~SplitVector() { std::free(FBody); }

    std::ptrdiff_t Length() const { return FLength; }
    bool Empty() const { return FLength == 0; }

    T& operator[](std::ptrdiff_t pos)
    {
        assert(pos >= 0 && pos < FLength);
        return FBody[pos < FPart1 ? pos : pos + FGap];
    }
    const T& operator[](std::ptrdiff_t pos) const
    {
        assert(pos >= 0 && pos < FLength);
        return FBody[pos < FPart1 ? pos : pos + FGap];
    }

    // Inserts n value-initialised elements before pos.
    void InsertEmpty(std::ptrdiff_t pos, std::ptrdiff_t n)
    {
        if (n <= 0)
            return;
        RoomFor(n);
        GapTo(pos);
        std::fill_n(FBody + FPart1, n, T{});
        FPart1 += n;
        FLength += n;
        FGap -= n;
    }

    // Appends n elements, element k made by make(k), k rising: written once, not cleared first.
    template <class F>
    void AppendEach(std::ptrdiff_t n, F&& make)
    {
        if (n <= 0)
            return;
        RoomFor(n);
        GapTo(FLength);
        for (std::ptrdiff_t k = 0; k < n; ++k)
            FBody[FPart1 + k] = make(k);
        FPart1 += n;
        FLength += n;
        FGap -= n;
    }

    void Insert(std::ptrdiff_t pos, const T& value)
    {
        InsertEmpty(pos, 1);
        (*this)[pos] = value;
    }

    void Delete(std::ptrdiff_t pos, std::ptrdiff_t n)
    {
        if (n <= 0)
            return;
        assert(pos >= 0 && pos + n <= FLength);
        if (pos == 0 && n == FLength) {
            Clear();
            return;
        }
        GapTo(pos);
        FGap += n;
        FLength -= n;
    }

    void Clear()
    {
        std::free(FBody);
        FBody = nullptr;
        FCapacity = 0;
        FLength = FPart1 = FGap = 0;
    }

    // Makes room for at least n more elements without moving them later.
    void Reserve(std::ptrdiff_t n)
    {
        if (n > FGap)
            RoomFor(n);
    }

    void Swap(SplitVector& other) noexcept
    {
        std::swap(FBody, other.FBody);
        std::swap(FCapacity, other.FCapacity);
        std::swap(FLength, other.FLength);
        std::swap(FPart1, other.FPart1);
        std::swap(FGap, other.FGap);
    }

private:
    void GapTo(std::ptrdiff_t pos)
    {
        if (pos == FPart1)
            return;
        T* body = FBody;
        if (pos < FPart1)
            std::memmove(static_cast<void*>(body + pos + FGap), body + pos,
                         sizeof(T) * static_cast<std::size_t>(FPart1 - pos));
        else
            std::memmove(static_cast<void*>(body + FPart1), body + FPart1 + FGap,
                         sizeof(T) * static_cast<std::size_t>(pos - FPart1));
        FPart1 = pos;
    }

    void RoomFor(std::ptrdiff_t n)
    {
        if (FGap >= n)
            return;
        // Grow geometrically, the gap moved to the end first. realloc can move a large block
        // by remapping its pages instead of copying them.
        GapTo(FLength);
        std::size_t wanted = static_cast<std::size_t>(FLength + n);
        std::size_t size = std::max<std::size_t>({wanted, FCapacity + FCapacity / 2, 16});
        void* p = std::realloc(static_cast<void*>(FBody), size * sizeof(T));
        if (!p)
            throw std::bad_alloc();
        FBody = static_cast<T*>(p);
        FCapacity = size;
        PrefaultLargeBlock(p, size * sizeof(T));
        FGap = static_cast<std::ptrdiff_t>(size) - FLength;
    }

    T* FBody = nullptr;
    std::size_t FCapacity = 0;
    std::ptrdiff_t FLength = 0;
    std::ptrdiff_t FPart1 = 0;
    std::ptrdiff_t FGap = 0;
};
