#pragma once
// Filling memory that holds keys, vectors or feedback so the compiler cannot drop the
// stores as dead (a plain memset right before a free or a scope end often vanishes).
#include <cstddef>
#include <cstdint>

namespace varnet::crypt {

inline void SecureFill(void* area, std::size_t size, std::uint8_t value)
{
    volatile std::uint8_t* p = static_cast<volatile std::uint8_t*>(area);
    for (std::size_t i = 0; i < size; ++i)
        p[i] = value;
}

// The wipe sequence of key material: 0xAA, then 0x55, then the final value.
inline void WipeArea(void* area, std::size_t size, std::uint8_t finalValue)
{
    SecureFill(area, size, 0xAA);
    SecureFill(area, size, 0x55);
    SecureFill(area, size, finalValue);
}

// Wipes a stack buffer when the scope ends, also when an exception passes.
class TWipeGuard {
public:
    TWipeGuard(void* area, std::size_t size) : fArea(area), fSize(size) {}
    ~TWipeGuard() { SecureFill(fArea, fSize, 0); }
    TWipeGuard(const TWipeGuard&) = delete;
    TWipeGuard& operator=(const TWipeGuard&) = delete;

private:
    void* fArea;
    std::size_t fSize;
};

} // namespace varnet::crypt
