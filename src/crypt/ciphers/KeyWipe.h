#pragma once
// Clearing key material so the compiler cannot drop the stores as dead: a plain memset of a
// local right before it goes out of scope is routinely removed by the optimiser, leaving the
// key on the stack. Every write here goes through a volatile pointer, which it must keep.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace cipher {

inline void SecureFill(void* area, std::size_t size, std::uint8_t value)
{
    volatile std::uint8_t* p = static_cast<volatile std::uint8_t*>(area);
    for (std::size_t i = 0; i < size; ++i)
        p[i] = value;
}

// Zeroes a key schedule's temporary (an array, a word, a small struct).
template <class T>
void SecureWipe(T& object)
{
    static_assert(std::is_trivially_copyable_v<T>);
    SecureFill(&object, sizeof object, 0);
}

// Wipes an area when the scope ends, also when an exception passes.
class TWipeGuard {
public:
    TWipeGuard(void* area, std::size_t size) : FArea(area), FSize(size) {}
    ~TWipeGuard() { SecureFill(FArea, FSize, 0); }
    TWipeGuard(const TWipeGuard&) = delete;
    TWipeGuard& operator=(const TWipeGuard&) = delete;

private:
    void* FArea;
    std::size_t FSize;
};

// A key as a schedule reads it: the length clamped to 0..N, the bytes after it zero, and
// the copy wiped when the schedule is done with it.
template <int N>
class TPaddedKey {
    static_assert(N > 0);

public:
    TPaddedKey(const std::uint8_t* key, int length) : FLength(std::clamp(length, 0, N))
    {
        if (FLength > 0)
            std::memcpy(FBytes, key, std::size_t(FLength));
    }
    ~TPaddedKey() { SecureFill(FBytes, sizeof FBytes, 0); }
    TPaddedKey(const TPaddedKey&) = delete;
    TPaddedKey& operator=(const TPaddedKey&) = delete;

    // The key's own length after clamping (the padding not counted).
    int Length() const { return FLength; }
    const std::uint8_t* Data() const { return FBytes; }
    std::uint8_t operator[](int i) const { return FBytes[i]; }

private:
    std::uint8_t FBytes[N] = {};
    int FLength;
};

} // namespace cipher
